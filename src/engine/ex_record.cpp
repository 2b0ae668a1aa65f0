#include "engine/ex_record.h"

#include <algorithm>
#include <bit>

#include "common/cp932.h"
#include "common/data_name.h"
#include "common/names.h"

namespace radadovur::engine {

std::optional<ExRecord> ExRecord::FromBytes(std::string_view bytes) {
  if (bytes.size() != ex::kLength) return std::nullopt;
  ExRecord record;
  record.bytes_.assign(bytes);
  return record;
}

std::string_view ExRecord::Text(const jvdata::Field& f, uint32_t i) const {
  if (!Holds(f, i)) return {};
  return std::string_view(bytes_).substr(f.At(i), f.width);
}

void ExRecord::SetText(const jvdata::Field& f, std::string_view value, uint32_t i) {
  if (!Holds(f, i)) return;
  const size_t n = std::min<size_t>(value.size(), f.width);
  char* at = bytes_.data() + f.At(i);
  std::copy_n(value.data(), n, at);  // an empty value may have no data pointer at all
  std::fill_n(at + n, f.width - n, ' ');
}

void PutReal(char* out, float value) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  for (int b = 0; b < 4; ++b) out[b] = static_cast<char>((bits >> (8 * b)) & 0xFF);
}

float GetReal(const char* in) {
  uint32_t bits = 0;
  for (int b = 0; b < 4; ++b) bits |= static_cast<uint32_t>(static_cast<unsigned char>(in[b])) << (8 * b);
  return std::bit_cast<float>(bits);
}

float ExRecord::Real(const jvdata::Field& f, uint32_t i) const {
  if (f.width != 4 || !ex::IsRealOffset(f.offset) || !Holds(f, i)) return 0.0f;
  return GetReal(bytes_.data() + f.At(i));
}

void ExRecord::SetReal(const jvdata::Field& f, uint32_t i, float value) {
  if (f.width != 4 || !ex::IsRealOffset(f.offset) || !Holds(f, i)) return;
  PutReal(bytes_.data() + f.At(i), value);
}

std::string_view ExRecord::FactorCode(int item) const {
  if (item < 1 || item > ex::kFactorItems) return {};
  return Text(ex::kFactorCode[item]);
}

void ExRecord::SetFactorCode(int item, std::string_view code) {
  if (item < 1 || item > ex::kFactorItems) return;
  SetText(ex::kFactorCode[item], code);
}

common::Status UmagotoExFileName(std::string_view ketto_num, std::string& name) {
  name.clear();
  if (common::Status status = common::CheckDataName(common::DataName::kKettoNum, ketto_num); !status.ok())
    return status;
  name = std::string(common::names::kUmagotoExFolder) + "/" + std::string(ketto_num) + "EX.dat";
  return common::Status::OK();
}

std::string ExFileNameOfCell(std::string_view cell_text) {
  const std::string name = common::Utf8Right(cell_text, 16);
  if (name.size() != 16 || name.compare(10, 6, "EX.dat") != 0 ||
      !common::IsDataName(common::DataName::kKettoNum, std::string_view(name).substr(0, 10)))
    return std::string();
  return name;
}

bool OpenUmagotoExFile(common::RecordFile& file, const std::string& app_path, std::string_view ketto_num) {
  std::string name;
  return UmagotoExFileName(ketto_num, name).ok() && file.Open(app_path + name, ex::kLength);
}

bool ReadExRecord(common::RecordFile& file, int64_t n, ExRecord& record) {
  std::string bytes;
  if (!file.Read(n, bytes)) return false;
  auto read = ExRecord::FromBytes(bytes);
  if (!read) return false;  // a file opened with another record length
  record = std::move(*read);
  return true;
}

bool WriteExRecord(common::RecordFile& file, int64_t n, const ExRecord& record) { return file.Write(n, record.bytes()); }

}  // namespace radadovur::engine
