#include "engine/week_files.h"

#include "common/text_file.h"

namespace radadovur::engine {

common::Status ReadFileBytes(const std::string& path, std::string& bytes) {
  common::Status status = common::ReadWholeFile(path, bytes);
  if (!status.IsNotFound()) return status;
  bytes.clear();
  return common::Status::OK();
}

namespace {
template <typename Rule>
common::Status ReadChecked(const std::string& path, const Rule& rule, std::string& bytes) {
  common::Status status = ReadFileBytes(path, bytes);
  if (status.ok()) status = rule();
  if (!status.ok()) bytes.clear();
  return status;
}
}  // namespace

common::Status ReadRecordFileBytes(const std::string& path, jvdata::RecordType type, std::string& bytes) {
  return ReadChecked(path, [&] { return jvdata::CheckRecordFile(path, bytes, *jvdata::StoredLayout(type)); }, bytes);
}

common::Status ReadRecordFileBytes(const std::string& path, size_t record_length, std::string& bytes) {
  return ReadChecked(path, [&] { return jvdata::CheckRecordFile(path, bytes, record_length); }, bytes);
}

common::Status ReplaceFile(const std::string& path, const std::string& bytes) {
  return common::WriteFileAtomic(path, bytes);
}

common::Status ReadIdList(const std::string& path, std::vector<std::string>& ids) {
  ids.clear();
  std::string text;
  if (auto status = ReadFileBytes(path, text); !status.ok()) return status;
  common::CsvItemReader reader(std::move(text));
  std::string item;
  while (reader.Next(item)) ids.push_back(item);
  return common::Status::OK();
}

}  // namespace radadovur::engine
