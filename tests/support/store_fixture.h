#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/folder_lock.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "support/record_builder.h"
#include "support/temp_folder.h"

// A program folder of raw store files for the structure tests. Records carry a tag in a name
// field so that a test can tell which input record ended up where.
namespace radadovur::testing {

struct RaceAt {
  std::string category, created, date, venue, race, tag;
  std::string nichiji = "01";  // the meeting's day; Kaiji stays "01"
};
inline std::string Race(const RaceAt& r) {
  return MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::DataCategory, r.category}, {jvdata::ra::CreatedDate, r.created},
                                     {jvdata::ra::Year, r.date.substr(0, 4)}, {jvdata::ra::MonthDay, r.date.substr(4, 4)},
                                     {jvdata::ra::VenueCode, r.venue}, {jvdata::ra::RaceNum, r.race}, {jvdata::ra::RaceName, r.tag},
                                     {jvdata::ra::Kaiji, "01"}, {jvdata::ra::Nichiji, r.nichiji}});
}

struct EntryAt {
  std::string category, created, date, venue, race, umaban, ketto, tag;
  std::string nichiji = "01";
};
inline std::string Entry(const EntryAt& e) {
  return MakeRecord(jvdata::RecordType::SE, {{jvdata::se::DataCategory, e.category}, {jvdata::se::CreatedDate, e.created},
                                     {jvdata::se::Year, e.date.substr(0, 4)}, {jvdata::se::MonthDay, e.date.substr(4, 4)},
                                     {jvdata::se::VenueCode, e.venue}, {jvdata::se::RaceNum, e.race}, {jvdata::se::Umaban, e.umaban},
                                     {jvdata::se::KettoNum, e.ketto}, {jvdata::se::HorseName, e.tag},
                                     {jvdata::se::Kaiji, "01"}, {jvdata::se::Nichiji, e.nichiji}});
}

inline std::string Horse(const std::string& ketto, const std::string& dam, const std::string& tag = "") {
  return MakeRecord(jvdata::RecordType::UM, {{jvdata::um::DataCategory, "1"}, {jvdata::um::KettoNum, ketto}, {jvdata::um::DamNum, dam},
                                     {jvdata::um::HorseName, tag}});
}

inline std::string Trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

// A program folder after a step ① that delivered nothing: empty raw race, runner and horse
// files, which a test overwrites with its records.
class StoreFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(app_ + "UMAGOTOTHISWEEKN");
    for (const char* raw : {"RATHISWEEKN.dat", "SETHISWEEKN.dat", "UMTHISWEEKN.dat"}) Put(raw, {});
  }

  std::string Path(const std::string& name) const { return app_ + name; }
  void Put(const std::string& name, const std::vector<std::string>& records) const {
    std::string bytes;
    for (const auto& r : records) bytes += r;
    ASSERT_TRUE(common::WriteFileAtomic(Path(name), bytes).ok());
  }
  std::string Bytes(const std::string& name) const { return common::ReadWholeFile(Path(name)).value_or("<missing>"); }
  // The tags of the records of a record file, in record order.
  std::vector<std::string> Tags(const std::string& name, size_t length, jvdata::Field tag) const {
    const std::string bytes = Bytes(name);
    std::vector<std::string> tags;
    if (bytes == "<missing>") return {"<missing>"};
    for (size_t at = 0; at + length <= bytes.size(); at += length)
      tags.push_back(Trimmed(tag.Of(std::string_view(bytes).substr(at, length))));
    return tags;
  }
  std::vector<std::string> RaceTags(const std::string& name) const { return Tags(name, jvdata::ra::kLength, jvdata::ra::RaceName); }
  std::vector<std::string> EntryTags(const std::string& name) const { return Tags(name, jvdata::se::kLength, jvdata::se::HorseName); }
  // Without the folder's lock file, which every step opens (a step that changed nothing leaves it).
  std::vector<std::string> FolderFiles(const std::string& sub = "") const {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(app_ + sub))
      if (e.path().filename() != common::kFolderLockFile)
        files.push_back(std::filesystem::relative(e.path(), dir_).string());
    std::sort(files.begin(), files.end());
    return files;
  }

  TempFolder folder_{"structure_"};
  std::string dir_ = folder_.path();
  std::string app_ = folder_.app_path();
};

}  // namespace radadovur::testing
