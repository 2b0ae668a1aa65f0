#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/convert.h"
#include "common/line_items.h"
#include "common/regular_file.h"

namespace radadovur::common {
namespace {
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t w = ::write(fd, bytes.data(), bytes.size());
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return false;
    bytes.remove_prefix(static_cast<size_t>(w));
  }
  return true;
}
Status Errno(const char* what, const std::string& path) { return Status::FromErrno(what, path, errno); }

}  // namespace

Status ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  // One read straight into a buffer of the file's size (record files run to megabytes).
  int fd = -1;
  struct stat st {};
  if (Status s = OpenRegularFile(path, O_RDONLY, 0, "を読めません", fd, &st); !s.ok()) return s;
  bytes.assign(static_cast<size_t>(st.st_size), '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      Status s = Errno("を読めません", path);
      ::close(fd);
      bytes.clear();
      return s;
    }
    if (r == 0) break;  // the file shrank meanwhile
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  bytes.resize(got);
  return Status::OK();
}

Status ReadFileOrEmpty(const std::string& path, std::string& bytes) {
  Status status = ReadWholeFile(path, bytes);
  return status.IsNotFound() ? Status::OK() : status;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes).ok()) return std::nullopt;
  return bytes;
}

Status WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string temp = ReplacementPathOf(path);
  int fd = -1;
  if (Status s = CreateReplacementFile(path, O_WRONLY, fd); !s.ok()) return s;
  // Failures name the file the user knows, not the temporary one.
  Status status;
  if (!WriteAll(fd, bytes)) status = Errno("に書き込めません", path);
  if (::close(fd) != 0 && status.ok()) status = Errno("を閉じられません", path);
  if (status.ok() && ::rename(temp.c_str(), path.c_str()) != 0) status = Errno("を置き換えられません", path);
  if (!status.ok()) ::unlink(temp.c_str());
  return status;
}

Status AppendToFile(const std::string& path, std::string_view bytes) {
  int fd = -1;
  struct stat st {};
  if (Status s = OpenRegularFile(path, O_WRONLY | O_CREAT | O_APPEND, 0644, "に書き込めません", fd, &st); !s.ok())
    return s;
  Status status;
  if (!WriteAll(fd, bytes)) {
    status = Errno("に書き込めません", path);
    // A record cut by a full disk would read as a damaged file: the file keeps what it had.
    if (::ftruncate(fd, st.st_size) != 0)
      status = Status::IoError(path, status.ToString() + "（ファイルの最後のレコードが途中で切れているかもしれません）");
  }
  if (::close(fd) != 0 && status.ok()) status = Errno("を閉じられません", path);
  return status;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  for (const TextLine& line : LinesOf(text)) lines.emplace_back(line.text);
  return lines;
}

std::string QuotedLine(std::string_view value) {
  std::string line;
  line.reserve(value.size() + 4);
  line += '"';
  line += value;
  line += "\"\r\n";
  return line;
}

bool QuotableValue(std::string_view value) { return value.find_first_of("\"\r\n") == std::string_view::npos; }

Status WriteQuotedLines(const std::string& path, const std::vector<std::string>& values) {
  std::string bytes;
  for (const auto& v : values) {
    // A quote or a line end would read back as other values: nothing is written.
    if (!QuotableValue(v))
      return Status::InvalidArgument(path, Shown(path) + " に書き込めません（値 \"" + Shown(v) + "\" は引用符の行に入りません）");
    bytes += QuotedLine(v);
  }
  return WriteFileAtomic(path, bytes);
}

bool CsvItemReader::AtEnd() {
  if (line_start_)
    while (pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n')) ++pos_;
  return pos_ >= text_.size();
}

bool CsvItemReader::Next(std::string_view& item) {
  if (AtEnd()) return false;
  const std::string_view all(text_);
  const auto separator = [&](char c) { return c == ',' || c == '\r' || c == '\n'; };
  while (pos_ < all.size() && (all[pos_] == ' ' || all[pos_] == '\t')) ++pos_;
  if (pos_ < all.size() && all[pos_] == '"') {
    size_t close = all.find('"', pos_ + 1);
    if (close == std::string_view::npos) close = all.size();
    item = all.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close < all.size() ? close + 1 : close;
    // Anything up to the separator after a quoted item is dropped.
    while (pos_ < all.size() && !separator(all[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    while (pos_ < all.size() && !separator(all[pos_])) ++pos_;
    item = all.substr(start, pos_ - start);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
  }
  // After a comma an item is due even when the line ends first.
  line_start_ = pos_ >= all.size() || all[pos_] != ',';
  if (pos_ < all.size() && all[pos_] == ',') ++pos_;
  return true;
}

bool CsvItemReader::Next(std::string& item) {
  std::string_view view;
  if (!Next(view)) return false;
  item.assign(view);
  return true;
}

std::vector<std::string> ReadQuotedValues(const std::string& path) {
  std::vector<std::string> values;
  auto text = ReadWholeFile(path);
  if (!text) return values;
  CsvItemReader reader(std::move(*text));
  std::string item;
  while (reader.Next(item)) values.push_back(item);
  return values;
}

void CsvLine::Sep() {
  if (!first_) line_ += ',';
  first_ = false;
}
CsvLine& CsvLine::Text(std::string_view value) {
  Sep();
  line_ += '"';
  line_ += value;
  line_ += '"';
  return *this;
}
CsvLine& CsvLine::Number(double value) {
  Sep();
  line_ += NumberText(value, Precision::Double);
  return *this;
}
CsvLine& CsvLine::Number(float value) {
  Sep();
  line_ += NumberText(value);
  return *this;
}
CsvLine& CsvLine::Whole(long long value) {
  Sep();
  line_ += std::to_string(value);
  return *this;
}

}  // namespace radadovur::common
