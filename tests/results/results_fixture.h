#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "support/record_builder.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

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
  return MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::DataCategory, s.category}, {jvdata::ra::Year, s.date.substr(0, 4)},
                                     {jvdata::ra::MonthDay, s.date.substr(4, 4)}, {jvdata::ra::VenueCode, s.venue},
                                     {jvdata::ra::Kaiji, s.kaiji}, {jvdata::ra::Nichiji, s.nichiji}, {jvdata::ra::RaceNum, s.race},
                                     {jvdata::ra::RaceName, common::ToCp932(s.name)}, {jvdata::ra::TrackCode, s.track},
                                     {jvdata::ra::Kyori, s.kyori}, {jvdata::ra::PostTime, s.post}, {jvdata::ra::TenkoCode, s.tenko},
                                     {jvdata::ra::TurfBabaCode, s.turf}, {jvdata::ra::DirtBabaCode, s.dirt},
                                     {jvdata::ra::GradeCode, "A"}, {jvdata::ra::RaceTypeCode, "13"},
                                     {jvdata::ra::ConditionCode, "999", 4}});
}
inline std::string PayoutRec(const std::string& date, const std::string& venue, const std::string& race,
                             const std::string& kaiji = "04", const std::string& nichiji = "04") {
  return MakeRecord(jvdata::RecordType::HR, {{jvdata::hr::DataCategory, "2"}, {jvdata::hr::Year, date.substr(0, 4)},
                                     {jvdata::hr::MonthDay, date.substr(4, 4)}, {jvdata::hr::VenueCode, venue}, {jvdata::hr::Kaiji, kaiji},
                                     {jvdata::hr::Nichiji, nichiji}, {jvdata::hr::RaceNum, race}});
}

// Code-table rows as the shipped file writes them: eight quoted values, CR LF.
inline std::string CodeRow(const std::vector<std::string>& values) {
  common::CsvLine line;
  for (size_t c = 0; c < 8; ++c) line.Text(common::ToCp932(c < values.size() ? values[c] : ""));
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

// One timeline of what the pass showed and what the fake hooks and writers did: the host's
// events as "text:<slot>:<text>", "message:<text>", "yield", and the calls the fakes log.
inline void LogCall(RecordingHost& host, std::string call) { host.events.push_back({"call", {}, std::move(call)}); }
inline std::vector<std::string> Timeline(const RecordingHost& host) {
  std::vector<std::string> out;
  for (const auto& e : host.events) {
    if (e.kind == "call") out.push_back(e.text);
    else if (e.kind == "yield") out.push_back("yield");
    else if (e.kind == "text") out.push_back("text:" + std::to_string(static_cast<int>(e.slot)) + ":" + e.text);
    else out.push_back(e.kind + ":" + e.text);
  }
  return out;
}
inline std::string Text5(const std::string& text) {
  return "text:" + std::to_string(static_cast<int>(common::StatusSlot::kMainText5)) + ":" + text;
}

// A program folder with the results pass's working folders, for one test.
class ResultsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"RACE", "KAIME", "SOKUDO", "JRACODE"}) std::filesystem::create_directory(app_ + folder);
  }

  void Put(const std::string& name, const std::string& bytes) const { ASSERT_TRUE(common::WriteFileAtomic(app_ + name, bytes).ok()); }
  void PutRecords(const std::string& name, const std::vector<std::string>& records) const {
    std::string bytes;
    for (const auto& r : records) bytes += r;
    Put(name, bytes);
  }
  // A file's text in UTF-8, or "<missing>".
  std::string Text(const std::string& name) const {
    auto bytes = common::ReadWholeFile(app_ + name);
    return bytes ? common::DecodeCp932Lossy(*bytes) : "<missing>";
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(app_ + name); }

  TempFolder folder_{"radadovur_results"};
  const std::string dir_ = folder_.path();
  const std::string app_ = folder_.app_path();
};

}  // namespace radadovur::testing
