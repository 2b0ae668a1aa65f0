#include "results/code_table.h"

#include <sys/stat.h>

#include <cerrno>

#include "common/names.h"
#include "common/text_file.h"

namespace radadovur::results {
namespace {

constexpr std::string_view kNoNames = "コード名称なしで続けます。";

}  // namespace

common::Status LoadCodeTable(const std::string& app_path, CodeTable& table) {
  table = CodeTable{};
  const std::string path = app_path + std::string(common::names::kCodeTableFile);
  // Only a regular file: a folder or a pipe under that name must not stop the pass.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    if (error == ENOENT) return common::Status::NotFound(path, "コード表 " + path + " がありません。" + std::string(kNoNames));
    return common::Status::FromErrno("コード表を開けません:", path, error);
  }
  if (!S_ISREG(info.st_mode))
    return common::Status::IoError(path, "コード表 " + path + " はファイルではありません。" + std::string(kNoNames));
  auto text = common::ReadWholeFile(path);
  if (!text) return common::Status::IoError(path, "コード表 " + path + " を読めません。" + std::string(kNoNames));

  common::CsvItemReader reader(std::move(*text));
  std::string value;
  for (int row = 0; row < kCodeTableRows; ++row)
    for (int column = 0; column < kCodeTableColumns; ++column) {
      if (!reader.Next(value)) return common::Status::OK();
      table.cells[row][column] = value;
    }
  if (reader.Next(value))
    return common::Status::Corruption(path, "コード表 " + path + " は" + std::to_string(kCodeTableRows) +
                                                "行を超えています。先頭の" + std::to_string(kCodeTableRows) +
                                                "行だけを使います。");
  return common::Status::OK();
}

std::string LookupCodeTable(const CodeTable& table, std::string_view kind, std::string_view code, int column) {
  if (column < 0 || column >= kCodeTableColumns) return {};
  // Every row is scanned: the last matching row decides.
  const std::string* result = nullptr;
  for (const auto& row : table.cells)
    if (row[0] == kind && row[1] == code) result = &row[column];
  return result ? *result : std::string();
}

}  // namespace radadovur::results
