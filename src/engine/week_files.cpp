#include "engine/week_files.h"

#include <cerrno>

#include "common/text_file.h"

namespace radadovur::engine {

common::Status ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  errno = 0;
  auto read = ReadWholeFile(path);
  if (read) {
    bytes = std::move(*read);
    return common::Status::OK();
  }
  const int error = errno;
  if (error == ENOENT) return common::Status::OK();
  // Opened but not a plain file (a folder in its place) leaves no errno of its own.
  return common::Status::FromErrno("cannot read", path, error != 0 ? error : EISDIR);
}

common::Status ReplaceFile(const std::string& path, const std::string& bytes) {
  std::string error;
  if (WriteFileAtomic(path, bytes, &error)) return common::Status::OK();
  return common::Status::IoError(path, error.empty() ? "cannot write " + path : error);
}

common::Status ReadIdList(const std::string& path, std::vector<std::string>& ids) {
  ids.clear();
  std::string text;
  if (auto status = ReadFileBytes(path, text); !status.ok()) return status;
  CsvItemReader reader(std::move(text));
  std::string item;
  while (reader.Next(item)) ids.push_back(item);
  return common::Status::OK();
}

bool IsFileNamePart(const std::string& id) {
  return !id.empty() && id != "." && id != ".." && id.find('/') == std::string::npos &&
         id.find('\0') == std::string::npos;
}

}  // namespace radadovur::engine
