#include "engine/week_files.h"

#include "common/data_name.h"
#include "common/line_items.h"
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

common::Status ReadIdList(const std::string& path, IdList list, std::vector<std::string>& ids) {
  ids.clear();
  std::string text;
  if (auto status = ReadFileBytes(path, text); !status.ok()) return status;
  const auto take = [&](const common::TextLine& line, const std::vector<std::string_view>& items,
                        const std::vector<bool>& quoted) {
    if (items.size() != 1 || !quoted[0])
      return common::LineFailure(path, line.number, "引用符で囲んだ値が 1 つだけの行ではありません");
    const std::string_view id = items[0];
    const bool blank = id == "          ";  // a horse without a dam, as step ② lists it
    if (!common::IsDataName(common::DataName::kKettoNum, id) && !(list == IdList::kDams && blank))
      return common::LineFailure(path, line.number, "「" + common::Shown(id) + "」は 10 桁の血統登録番号ではありません");
    ids.emplace_back(id);
    return common::Status::OK();
  };
  common::Status status = common::ForEachLine(path, text, common::LineRules{}, take);
  if (!status.ok()) ids.clear();
  return status;
}

}  // namespace radadovur::engine
