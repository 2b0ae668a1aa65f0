// libFuzzer target: record detection and the record readers over arbitrary bytes. Every record
// type's layout is tried: type detection, the whole-file check the store and dump rely on, the
// check of a delivered record before a realtime fetch keeps it, parsing, the stored form and the
// field listing.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "jvdata/record.h"
#include "jvlink/recording.h"

using namespace radadovur;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const jvdata::RecordType type :
       {jvdata::RecordType::RA, jvdata::RecordType::SE, jvdata::RecordType::HR, jvdata::RecordType::UM,
        jvdata::RecordType::KS, jvdata::RecordType::O1, jvdata::RecordType::O2, jvdata::RecordType::O4,
        jvdata::RecordType::O5, jvdata::RecordType::O6}) {
    const jvdata::RecordCheck check = jvdata::CheckRecords(bytes, *jvdata::StoredLayout(type));
    if (check.first_bad > check.count + 1) __builtin_trap();
  }
  const jvdata::RecordType type = jvdata::TypeOf(bytes);
  // A delivered record that may be kept is whole: its layout's length, CR LF at its end.
  if (const jvdata::Layout* layout = jvdata::DeliveredLayout(type);
      layout && jvdata::DeliveredRecordFault(bytes).empty() &&
      (bytes.size() != layout->length || !bytes.ends_with("\r\n")))
    __builtin_trap();
  if (const jvdata::Layout* layout = jvdata::DeliveredLayout(type)) {
    const std::string stored = jvdata::StoredForm(type, bytes);
    if (!stored.empty() && stored.size() != jvdata::StoredLayout(type)->length) __builtin_trap();
    for (const auto& field : jvdata::ListFields(*layout, bytes)) (void)field;
  }
  for (const std::string_view record : jvlink::SplitRecords(bytes)) (void)jvdata::TypeOf(record);
  return 0;
}
