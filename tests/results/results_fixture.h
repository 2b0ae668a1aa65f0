#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/step_host.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "support/record_builder.h"

// Small program folders for the results pass: hand-made race and payout records and code tables.
namespace radadovur::testing {

struct RaceSpec {
  std::string category = "2";
  std::string date = "20240922";
  std::string venue = "06";
  std::string kaiji = "04", nichiji = "04";
  std::string race = "11";
  std::string name;  // UTF-8
  std::string track = "17";
  std::string kyori = "2500";
  std::string post = "1540";
  std::string tenko = "1", turf = "1", dirt = "2";
};
inline std::string RaceRec(const RaceSpec& s) {
  return MakeRecord(RecordType::RA, {{ra::DataCategory, s.category}, {ra::Year, s.date.substr(0, 4)},
                                     {ra::MonthDay, s.date.substr(4, 4)}, {ra::VenueCode, s.venue},
                                     {ra::Kaiji, s.kaiji}, {ra::Nichiji, s.nichiji}, {ra::RaceNum, s.race},
                                     {ra::RaceName, ToCp932(s.name)}, {ra::TrackCode, s.track},
                                     {ra::Kyori, s.kyori}, {ra::PostTime, s.post}, {ra::TenkoCode, s.tenko},
                                     {ra::TurfBabaCode, s.turf}, {ra::DirtBabaCode, s.dirt},
                                     {ra::GradeCode, "A"}, {ra::RaceTypeCode, "13"},
                                     {ra::ConditionCode, "999", 4}});
}
inline std::string PayoutRec(const std::string& date, const std::string& venue, const std::string& race,
                             const std::string& kaiji = "04", const std::string& nichiji = "04") {
  return MakeRecord(RecordType::HR, {{hr::DataCategory, "2"}, {hr::Year, date.substr(0, 4)},
                                     {hr::MonthDay, date.substr(4, 4)}, {hr::VenueCode, venue}, {hr::Kaiji, kaiji},
                                     {hr::Nichiji, nichiji}, {hr::RaceNum, race}});
}

// Code-table rows as the shipped file writes them: eight quoted values, CR LF.
inline std::string CodeRow(const std::vector<std::string>& values) {
  CsvLine line;
  for (size_t c = 0; c < 8; ++c) line.Text(ToCp932(c < values.size() ? values[c] : ""));
  return line.Str();
}
// The rows the race list looks up.
inline std::string SmallCodeTable() {
  return CodeRow({"2001", "06", "中山競馬場", "中", "中山", "中"}) +
         CodeRow({"2001", "05", "東京競馬場", "東", "東京", "東"}) +
         CodeRow({"2003", "A", "Ｇ１レース", "G1"}) + CodeRow({"2005", "13", "サ３上", "", "サラ系３歳以上"}) +
         CodeRow({"2007", "999", "オープン"}) + CodeRow({"2009", "17", "芝右", "芝・右"}) +
         CodeRow({"2009", "24", "ダ右", "ダート・右"}) + CodeRow({"2009", "55", "障芝外", "障害・芝・外回り"}) +
         CodeRow({"2010", "1", "良"}) + CodeRow({"2010", "2", "稍重"}) + CodeRow({"2011", "1", "晴"});
}

// What a step showed through its host, in order: "text:<slot>:<text>", "message:<text>", "yield".
class RecordingHost : public common::StepHost {
 public:
  void SetStatus(common::StatusSlot slot, const std::string& utf8) override {
    events.push_back("text:" + std::to_string(static_cast<int>(slot)) + ":" + utf8);
  }
  void SetBackColour(common::StatusSlot, uint32_t) override {}
  void Message(const std::string& utf8) override { events.push_back("message:" + utf8); }
  bool Ask(const std::string&) override { return true; }
  void BeginProgress(common::ProgressSlot, int64_t) override {}
  void SetProgress(common::ProgressSlot, int64_t) override {}
  void EndProgress(common::ProgressSlot) override {}
  bool CancelRequested() override { return false; }
  void Yield() override { events.push_back("yield"); }

  std::vector<std::string> events;
};
inline std::string Text5(const std::string& text) {
  return "text:" + std::to_string(static_cast<int>(common::StatusSlot::kMainText5)) + ":" + text;
}

class ProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (std::filesystem::temp_directory_path() / "results_XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    dir_ = templ;
    app_ = dir_ + "/";
    for (const char* folder : {"RACE", "KAIME", "SOKUDO", "JRACODE"}) std::filesystem::create_directory(app_ + folder);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Put(const std::string& name, const std::string& bytes) const { ASSERT_TRUE(WriteFileAtomic(app_ + name, bytes)); }
  void PutRecords(const std::string& name, const std::vector<std::string>& records) const {
    std::string bytes;
    for (const auto& r : records) bytes += r;
    Put(name, bytes);
  }
  // A file's text in UTF-8, or "<missing>".
  std::string Text(const std::string& name) const {
    auto bytes = ReadWholeFile(app_ + name);
    return bytes ? DecodeCp932Lossy(*bytes) : "<missing>";
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(app_ + name); }

  std::string dir_;
  std::string app_;
};

}  // namespace radadovur::testing
