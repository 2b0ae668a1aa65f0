#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/record_file.h"
#include "common/status.h"
#include "engine/layout_ex.h"

// One expanded record held as its 2603 bytes. Text fields are cut and padded by bytes; reals
// are copied in and out byte by byte (little-endian IEEE single), never read through a cast
// pointer, since they stand at unaligned offsets.
namespace radadovur::engine {

class ExRecord {
 public:
  // A record of zero bytes, as the builder starts from.
  ExRecord() : bytes_(ex::kLength, '\0') {}
  // nullopt unless `bytes` is exactly one record long.
  static std::optional<ExRecord> FromBytes(std::string_view bytes);

  const std::string& bytes() const { return bytes_; }

  // Element i of a field; empty when i is past the field's count.
  std::string_view Text(const jvdata::Field& f, uint32_t i = 0) const;
  // Left-aligned, padded with spaces, cut to the field's width; ignored past the field's count.
  void SetText(const jvdata::Field& f, std::string_view value, uint32_t i = 0);

  // Element i of AgariFW, PaceFW, SohaFW or SpeedResults; 0 for anything else.
  float Real(const jvdata::Field& f, uint32_t i) const;
  void SetReal(const jvdata::Field& f, uint32_t i, float value);

  // FactorCode of item 1..30 at its own width; empty for any other item.
  std::string_view FactorCode(int item) const;
  void SetFactorCode(int item, std::string_view code);

 private:
  bool Holds(const jvdata::Field& f, uint32_t i) const { return i < f.count && f.At(i) + f.width <= bytes_.size(); }
  std::string bytes_;
};

// The bytes of a single-precision real, little-endian, and back.
void PutReal(char* out, float value);
float GetReal(const char* in);

// The horse's expanded-record file "UMAGOTOEXTHISWEEKN/<KettoNum>EX.dat", relative to AppPath;
// an id that is not a KettoNum is a failure naming it, and gives no name.
common::Status UmagotoExFileName(std::string_view ketto_num, std::string& name);

// The expanded-record file name that a runner grid's horse-name cell ends with: its last 16
// characters when they are ten digits and "EX.dat"; empty otherwise (no other text names a file).
std::string ExFileNameOfCell(std::string_view cell_text);

// Opens (creating it empty when missing) the horse's expanded-record file; records from 1,
// count = length / 2603.
bool OpenUmagotoExFile(common::RecordFile& file, const std::string& app_path, std::string_view ketto_num);
bool ReadExRecord(common::RecordFile& file, int64_t n, ExRecord& record);
bool WriteExRecord(common::RecordFile& file, int64_t n, const ExRecord& record);

}  // namespace radadovur::engine
