#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/status.h"

// The shipped code table "JRACODE/CodeTable.csv": rows of eight values (kind, code, six texts),
// CP932. Lookups return a column of the last row whose kind and code match.
namespace radadovur::results {

inline constexpr int kCodeTableRows = 501;
inline constexpr int kCodeTableColumns = 8;

// Kinds the program looks up, with the column each use reads.
inline constexpr std::string_view kCodeVenue = "2001";      // column 4 name, 6 web word
inline constexpr std::string_view kCodeWeekday = "2002";    // column 4
inline constexpr std::string_view kCodeGrade = "2003";      // column 2
inline constexpr std::string_view kCodeRaceType = "2005";   // column 4
inline constexpr std::string_view kCodeCondition = "2007";  // column 2
inline constexpr std::string_view kCodeTrack = "2009";      // column 3
inline constexpr std::string_view kCodeGoing = "2010";      // column 2
inline constexpr std::string_view kCodeWeather = "2011";    // column 2
inline constexpr std::string_view kCodeSex = "2202";        // column 2

// Rows 0..500 in file order; rows the file does not reach stay empty.
struct CodeTable {
  std::array<std::array<std::string, kCodeTableColumns>, kCodeTableRows> cells;
};

// Reads "JRACODE/CodeTable.csv" of the program folder into `table`, one row a line (CR LF or
// LF; blank lines hold no row), eight items to a row. Not OK when the file is missing, not a
// regular file or unreadable (the table is then empty), when lines are damaged (a quoted item
// not closed on its line, a stray quote or control byte, other than eight items: Corruption
// naming the lines, whose rows are left out while the others are used), or when it has more
// than 501 rows (the table then holds the first 501); the status says so.
common::Status LoadCodeTable(const std::string& app_path, CodeTable& table);

// Column `column` of the last row whose kind and code equal `kind` and `code` exactly; empty
// when no row matches or the column is outside 0..7.
std::string LookupCodeTable(const CodeTable& table, std::string_view kind, std::string_view code, int column);

}  // namespace radadovur::results
