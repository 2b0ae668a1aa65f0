#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "support/record_builder.h"

// A program folder of raw store files for the structure tests. Records carry a tag in a name
// field so that a test can tell which input record ended up where.
namespace radadovur::testing {

struct RaceAt {
  std::string category, created, date, venue, race, tag;
};
inline std::string Race(const RaceAt& r) {
  return MakeRecord(RecordType::RA, {{ra::DataCategory, r.category}, {ra::CreatedDate, r.created},
                                     {ra::Year, r.date.substr(0, 4)}, {ra::MonthDay, r.date.substr(4, 4)},
                                     {ra::VenueCode, r.venue}, {ra::RaceNum, r.race}, {ra::RaceName, r.tag}});
}

struct EntryAt {
  std::string category, created, date, venue, race, umaban, ketto, tag;
};
inline std::string Entry(const EntryAt& e) {
  return MakeRecord(RecordType::SE, {{se::DataCategory, e.category}, {se::CreatedDate, e.created},
                                     {se::Year, e.date.substr(0, 4)}, {se::MonthDay, e.date.substr(4, 4)},
                                     {se::VenueCode, e.venue}, {se::RaceNum, e.race}, {se::Umaban, e.umaban},
                                     {se::KettoNum, e.ketto}, {se::HorseName, e.tag}});
}

inline std::string Horse(const std::string& ketto, const std::string& dam, const std::string& tag = "") {
  return MakeRecord(RecordType::UM, {{um::DataCategory, "1"}, {um::KettoNum, ketto}, {um::DamNum, dam},
                                     {um::HorseName, tag}});
}

inline std::string Trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

class StoreFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (std::filesystem::temp_directory_path() / "structure_XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    dir_ = templ;
    app_ = dir_ + "/";
    std::filesystem::create_directory(app_ + "UMAGOTOTHISWEEKN");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return app_ + name; }
  void Put(const std::string& name, const std::vector<std::string>& records) const {
    std::string bytes;
    for (const auto& r : records) bytes += r;
    ASSERT_TRUE(WriteFileAtomic(Path(name), bytes));
  }
  std::string Bytes(const std::string& name) const { return ReadWholeFile(Path(name)).value_or("<missing>"); }
  // The tags of the records of a record file, in record order.
  std::vector<std::string> Tags(const std::string& name, size_t length, Field tag) const {
    const std::string bytes = Bytes(name);
    std::vector<std::string> tags;
    if (bytes == "<missing>") return {"<missing>"};
    for (size_t at = 0; at + length <= bytes.size(); at += length)
      tags.push_back(Trimmed(tag.Of(std::string_view(bytes).substr(at, length))));
    return tags;
  }
  std::vector<std::string> RaceTags(const std::string& name) const { return Tags(name, ra::kLength, ra::RaceName); }
  std::vector<std::string> EntryTags(const std::string& name) const { return Tags(name, se::kLength, se::HorseName); }
  std::vector<std::string> FolderFiles(const std::string& sub = "") const {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(app_ + sub))
      files.push_back(std::filesystem::relative(e.path(), dir_).string());
    std::sort(files.begin(), files.end());
    return files;
  }

  std::string dir_;
  std::string app_;
};

}  // namespace radadovur::testing
