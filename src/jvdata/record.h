#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "jvdata/field.h"

// The JV-Data record layer. A record is the CP932 bytes JV-Link delivers; parsing keeps those
// bytes and lays them out on the record's layout (a shorter record leaves the fields past its
// end empty, a longer one is cut); copying builds the fixed-length stored form, blanks where the
// parsed record had nothing. Only the jockey master's stored form differs from the delivered one.
namespace radadovur {

enum class RecordType { RA, SE, HR, UM, KS, O1, O2, O4, O5, O6, Unknown };

// The type named by the record's first two bytes.
RecordType TypeOf(std::string_view record);
std::string_view SpecOf(RecordType type);

// Layout of the delivered record, and of the stored record (the same except for KS);
// nullptr for Unknown.
const Layout* DeliveredLayout(RecordType type);
const Layout* StoredLayout(RecordType type);
// Layout whose stored record length is `length` for `type` (KS: 4173 or 4161), or nullptr.
const Layout* LayoutByLength(RecordType type, size_t length);

// Takes `width` bytes of `bytes` from the 1-based `position` (fewer, possibly none, where the
// bytes end) and advances the position by `width`.
std::string TakeField(std::string_view bytes, size_t& position, size_t width);

// A parsed record: the delivered bytes laid out on `layout`. Fields past the delivered bytes are
// empty; `delivered` holds at most the layout's length.
struct ParsedRecord {
  const Layout* layout = nullptr;
  std::string delivered;
  std::string_view Get(const Field& f, uint32_t i = 0, uint32_t j = 0) const { return f.Of(delivered, i, j); }
};

ParsedRecord ParseRaceRecord(std::string_view record);
ParsedRecord ParseEntryRecord(std::string_view record);
ParsedRecord ParsePayoutRecord(std::string_view record);
ParsedRecord ParseHorseMasterRecord(std::string_view record);
ParsedRecord ParseJockeyMasterRecord(std::string_view record);
ParsedRecord ParseWinOddsRecord(std::string_view record);
ParsedRecord ParseQuinellaOddsRecord(std::string_view record);
ParsedRecord ParseExactaOddsRecord(std::string_view record);
ParsedRecord ParseTrioOddsRecord(std::string_view record);
ParsedRecord ParseTrifectaOddsRecord(std::string_view record);
ParsedRecord ParseRecord(RecordType type, std::string_view record);

// Stored forms: every field at its stored offset, left-aligned, blank-padded.
std::string CopyRaceRecord(const ParsedRecord& parsed);
std::string CopyEntryRecord(const ParsedRecord& parsed);
std::string CopyPayoutRecord(const ParsedRecord& parsed);
std::string CopyHorseRecord(const ParsedRecord& parsed);
std::string CopyJockeyRecord(const ParsedRecord& parsed);
// The stored form of any stored type (RA, SE, HR, UM, KS); empty for the others.
std::string StoredForm(RecordType type, std::string_view delivered);

// Every field element of a record in offset order, named as the program shows them
// ("PrizeMoney[2]", "PlacedHorses[1].HorseName"), with its bytes.
struct NamedField {
  std::string name;
  std::string_view bytes;
};
std::vector<NamedField> ListFields(const Layout& layout, std::string_view record);

}  // namespace radadovur
