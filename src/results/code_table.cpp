#include "results/code_table.h"

#include <sys/stat.h>

#include <cerrno>

#include "common/names.h"
#include "common/line_items.h"
#include "common/text_file.h"

namespace radadovur::results {
namespace {

constexpr std::string_view kNoNames = "コード名称なしで続けます。";
constexpr size_t kDamagedNamed = 5;  // damaged lines named one by one; the rest are counted

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

  // One row a line. A line whose quoted item runs past its end (a line end inside the item)
  // or that does not hold eight items would put every later value in the wrong column: it is
  // named and its row is not used; the other rows are.
  std::vector<std::string> damaged;
  std::vector<std::string_view> items;
  std::string reason;
  int row = 0;
  bool longer = false;
  for (const common::TextLine& line : common::LinesOf(*text)) {
    if (line.text.empty()) continue;  // a blank line holds no row
    if (!common::SplitLineItems(line.text, items, &reason)) {
      damaged.push_back(std::to_string(line.number) + " 行目（" + reason + "）");
      continue;
    }
    if (items.size() != static_cast<size_t>(kCodeTableColumns)) {
      damaged.push_back(std::to_string(line.number) + " 行目（項目が " + std::to_string(items.size()) + " 個あります。" +
                        std::to_string(kCodeTableColumns) + " 個のはずです）");
      continue;
    }
    if (row == kCodeTableRows) {
      longer = true;
      break;
    }
    for (int column = 0; column < kCodeTableColumns; ++column)
      table.cells[static_cast<size_t>(row)][static_cast<size_t>(column)] = items[static_cast<size_t>(column)];
    ++row;
  }
  std::string detail;
  if (!damaged.empty()) {
    detail = "コード表 " + path + " の次の行が壊れています: ";
    for (size_t i = 0; i < damaged.size() && i < kDamagedNamed; ++i) detail += (i ? "、" : "") + damaged[i];
    if (damaged.size() > kDamagedNamed) detail += " ほか " + std::to_string(damaged.size() - kDamagedNamed) + " 行";
    detail += "。その行は使いません。";
  }
  if (longer)
    detail += "コード表 " + path + " は" + std::to_string(kCodeTableRows) + "行を超えています。先頭の" +
              std::to_string(kCodeTableRows) + "行だけを使います。";
  if (detail.empty()) return common::Status::OK();
  return common::Status::Corruption(path, detail);
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
