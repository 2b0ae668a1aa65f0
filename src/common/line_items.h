#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// Text files of comma-separated items checked line by line before any item is used: the
// damage a byte does to such a file (a lost quote, a line end inside a quoted item, a line cut
// short, a stray control byte) shows in the line it hits, so the line is named and refused
// instead of shifting every item after it.
namespace radadovur::common {

// One line of a text, without its line end; `number` counts from 1.
struct TextLine {
  size_t number = 0;
  std::string_view text;
  bool crlf = false;   // ended by CR LF
  bool ended = false;  // ended by a line end at all (the last line of a cut file is not)
};

// The lines of `text`, split at LF (a CR before it belongs to the line end).
std::vector<TextLine> LinesOf(std::string_view text);

// The items of one line: a quoted item runs to its closing quote and nothing but blanks may
// stand between that quote and the next comma; a bare item holds no quote and loses the blanks
// around it. Neither holds a control byte (a tab counts as a blank). Empty, with the reason in
// Japanese in `reason`, for a line that breaks these rules. A quoted item comes back without
// its quotes; `quoted` (when given) says which items were quoted.
bool SplitLineItems(std::string_view line, std::vector<std::string_view>& items, std::string* reason,
                    std::vector<bool>* quoted = nullptr);

// What a value file's lines must be.
struct LineRules {
  bool crlf_only = true;         // a lone LF is a broken line end
  bool blank_lines = false;      // an empty line is allowed (and holds no item)
  bool last_line_ended = true;   // the last line ends in a line end (else it was cut)
};

// The line's end and emptiness against the rules: OK, or Corruption naming `path` and the line.
Status CheckLineEnd(const std::string& path, const TextLine& line, const LineRules& rules);

// Every line of `text` in order: its end checked, its items split, then handed to `take` with
// its quoted flags. The first failure, of a line's form or from `take`, stops the walk and is
// returned. Empty lines that the rules allow are passed over.
Status ForEachLine(const std::string& path, std::string_view text, const LineRules& rules,
                   const std::function<Status(const TextLine&, const std::vector<std::string_view>&,
                                              const std::vector<bool>&)>& take);

// Corruption of `path`: "<path> の N 行目が壊れています: <reason>".
Status LineFailure(const std::string& path, size_t line, std::string_view reason);

// A number as the package writes one: an optional sign, digits with an optional decimal point
// (".5" and "5." included) and an optional exponent; blanks are not part of it.
bool IsDecimalNumber(std::string_view text);

}  // namespace radadovur::common
