#include "results/results_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/data_name.h"
#include "common/regular_file.h"
#include "common/text_file.h"

namespace radadovur::results {

common::Status RaceFileName(std::string_view folder, std::string_view race_key, std::string_view suffix,
                            std::string& name) {
  name.clear();
  if (common::Status status = common::CheckDataName(common::DataName::kRaceKey, race_key); !status.ok()) return status;
  name.append(folder).append(race_key).append(suffix);
  return common::Status::OK();
}

common::Status WriteWholeFile(const std::string& app_path, std::string_view name, std::string_view bytes) {
  return common::WriteFileAtomic(app_path + std::string(name), bytes);
}

common::Status ReadStoreRecords(const std::string& app_path, const store::StoreFile& file, store::RecordBlock& block) {
  common::Status status = store::ReadRecordBlock(app_path, file, block);
  if (!status.IsNotFound()) return status;
  block.bytes.clear();
  return common::Status::OK();
}

common::Status MakeEmptyFile(const std::string& app_path, std::string_view name) {
  const std::string path = app_path + std::string(name);
  int fd = -1;
  if (auto status = common::OpenRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC, 0644, "を作れません", fd); !status.ok())
    return status;
  if (::close(fd) != 0) return common::Status::FromErrno("を閉じられません", path, errno);
  return common::Status::OK();
}

}  // namespace radadovur::results
