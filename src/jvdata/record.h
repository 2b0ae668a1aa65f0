#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "jvdata/field.h"

// The JV-Data record layer. A record is the CP932 bytes JV-Link delivers; parsing keeps those
// bytes and lays them out on the record's layout (a shorter record leaves the fields past its
// end empty, a longer one is cut); copying builds the fixed-length stored form, blanks where the
// parsed record had nothing. Only the jockey master's stored form differs from the delivered one.
namespace radadovur::jvdata {

enum class RecordType { RA, SE, HR, UM, KS, O1, O2, O4, O5, O6, Unknown };

// The type named by the record's first two bytes.
RecordType TypeOf(std::string_view record);
std::string_view SpecOf(RecordType type);

// Layout of the delivered record, and of the stored record (the same except for KS);
// nullptr for Unknown.
const Layout* DeliveredLayout(RecordType type);
const Layout* StoredLayout(RecordType type);
// A parsed record: the delivered bytes laid out on `layout`. Fields past the delivered bytes are
// empty; `delivered` holds at most the layout's length.
struct ParsedRecord {
  const Layout* layout = nullptr;
  std::string delivered;
  std::string_view Get(const Field& f, uint32_t i = 0, uint32_t j = 0) const { return f.Of(delivered, i, j); }
};

ParsedRecord ParseRecord(RecordType type, std::string_view record);


// The stored form of any stored type (RA, SE, HR, UM, KS): every field at its stored offset,
// left-aligned, blank-padded; empty for the other types.
std::string StoredForm(RecordType type, std::string_view delivered);

// Whether `bytes` are whole records of `layout`, back to back: each starts with the layout's
// type tag and ends with CR LF, or with the two blanks a delivered record too short for its
// layout leaves in its stored form. `first_bad` is the first record (from 1) that is not, with
// the reason; a file whose length is not whole records has its last, partial record named.
struct RecordCheck {
  size_t count = 0;      // whole records
  size_t first_bad = 0;  // 0: every record is sound
  std::string reason;
  bool ok() const { return first_bad == 0; }
};
RecordCheck CheckRecords(std::string_view bytes, const Layout& layout);

// The same rule for files of the program's own layouts: whole records of `length` bytes, each
// passing `fault` (the reason a record is not sound, empty when it is; none: any bytes pass).
// A fault's reason follows "レコード N" in the failure text.
using RecordFault = std::function<std::string(std::string_view record)>;
inline constexpr std::string_view kNoLineEndReason = "が改行で終わっていません";
RecordCheck CheckRecords(std::string_view bytes, size_t length, const RecordFault& fault);

// The whole-record check of a file's bytes as a status: Corruption naming the file, its first
// bad record and why, when `bytes` fail it.
common::Status CheckRecordFile(const std::string& path, std::string_view bytes, const Layout& layout);
common::Status CheckRecordFile(const std::string& path, std::string_view bytes, size_t length,
                               const RecordFault& fault = {});

// Why one record as JV-Link delivered it cannot be kept, empty when it can: a record of a type with a layout must be
// exactly that layout's length and end with CR LF, as a record file's records do, and race, runner and horse records hold
// only digits, capital letters or blanks in the fields the store sorts and files them by; any other record must at least
// start with a type tag (two capital letters or digits), as the rest of a record cut by a line end does not. Bytes
// written over a record elsewhere keep its length and pass. The reasons are shown to the user (Japanese).
std::string DeliveredRecordFault(std::string_view record);

// Every field element of a record in offset order, named as the program shows them
// ("PrizeMoney[2]", "PlacedHorses[1].HorseName"), with its bytes.
struct NamedField {
  std::string name;
  std::string_view bytes;
};
std::vector<NamedField> ListFields(const Layout& layout, std::string_view record);

}  // namespace radadovur::jvdata
