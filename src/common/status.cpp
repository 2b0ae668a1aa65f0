#include "common/status.h"

#include <cerrno>
#include <string>

namespace radadovur::common {

Status Status::FromErrno(std::string_view action, std::string path, int error) {
  std::string detail = Shown(path) + " " + std::string(action) + "（" + ErrnoText(error) + "）";
  Status status(error == ENOENT ? Code::kNotFound : Code::kIoError, std::move(path), std::move(detail));
  status.error_number_ = error;
  return status;
}

// The system's own texts are English; the ones a user meets are told here, the rest by number.
std::string ErrnoText(int error) {
  switch (error) {
    case ENOENT: return "ありません";
    case EACCES:
    case EPERM: return "権限がありません";
    case ENOTDIR: return "途中にフォルダでないものがあります";
    case EISDIR: return "フォルダです";
    case ENOSPC: return "ディスクの空きがありません";
    case EDQUOT: return "ディスクの割り当てを超えました";
    case EROFS: return "読み取り専用です";
    case EEXIST: return "すでにあります";
    case ENAMETOOLONG: return "名前が長すぎます";
    case ELOOP: return "リンクが多すぎるか、リンクです";
    case EIO: return "ディスクの読み書きに失敗しました";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case EBUSY: return "使用中です";
    case ENXIO: return "通常のファイルではありません";
    case ENOTEMPTY: return "フォルダが空ではありません";
    case EXDEV: return "別のディスクへは移せません";
    case EINVAL: return "正しくない指定です";
    case EFBIG: return "ファイルが大きすぎます";
    case ENOMEM: return "メモリが足りません";
    default: return "システムエラー " + std::to_string(error);
  }
}

std::string Shown(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : value) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string Status::ToString() const {
  if (ok()) return "OK";
  return detail_.empty() ? path_ : detail_;
}

size_t StepFailures::Failed() const {
  size_t failed = 0;
  for (const Status& status : items) failed += status.IsSkipped() ? 0 : 1;
  return failed;
}

std::vector<std::string> StepFailures::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(items.size());
  for (const auto& s : items) texts.push_back(s.ToString());
  return texts;
}

}  // namespace radadovur::common
