#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "results/runner_record.h"
#include "support/record_builder.h"
#include "support/temp_folder.h"

// Hand-made files of one or two races for the race viewer: payout and race records, runner
// records, the runner sort file, ticket sort files and odds matrices.
namespace radadovur::testing {

// Race keys "YYYYMMDDVVRR" and the race-id fields of a record of that race.
inline std::vector<FieldValue> RaceIdFields(const std::string& key, const jvdata::Field& year, const jvdata::Field& md,
                                            const jvdata::Field& venue, const jvdata::Field& kaiji,
                                            const jvdata::Field& nichiji, const jvdata::Field& num) {
  return {{year, key.substr(0, 4)}, {md, key.substr(4, 4)}, {venue, key.substr(8, 2)},
          {kaiji, "04"},           {nichiji, "04"},          {num, key.substr(10, 2)}};
}

// A payout record of race `key` with the given entries (field, entry, value).
inline std::string PayoutRecord(const std::string& key, std::vector<FieldValue> entries, const std::string& toroku = "10") {
  namespace hr = jvdata::hr;
  auto values = RaceIdFields(key, hr::Year, hr::MonthDay, hr::VenueCode, hr::Kaiji, hr::Nichiji, hr::RaceNum);
  values.push_back({hr::DataCategory, "2"});
  values.push_back({hr::TorokuTosu, toroku});
  for (auto& e : entries) values.push_back(std::move(e));
  return MakeRecord(jvdata::RecordType::HR, values);
}

inline std::string RaceRecord(const std::string& key, const std::string& category, const std::string& toroku = "10") {
  namespace ra = jvdata::ra;
  auto values = RaceIdFields(key, ra::Year, ra::MonthDay, ra::VenueCode, ra::Kaiji, ra::Nichiji, ra::RaceNum);
  values.push_back({ra::DataCategory, category});
  values.push_back({ra::TorokuTosu, toroku});
  return MakeRecord(jvdata::RecordType::RA, values);
}

struct Runner {
  std::string key = "202409220611";
  std::string waku = "3", umaban = "05", ketto = "2021100001";
  std::string name = "テストホース";  // UTF-8
  std::string arrival = "03", popularity = "05", odds = "0123", run_time = "1345", last3f = "345";
  std::string kyori = "1600", track = "17";
  float speed = 60, agari_speed = 60, pace_speed = 60, adjust = 0;
  // Residuals and (venue, track) of runs 0, 1, 2.
  std::array<float, 3> residual = {0.5f, -1.25f, 2};
  std::array<std::array<std::string, 2>, 3> runs = {{{"06", "17"}, {"11", "17"}, {"05", "24"}}};
  std::vector<std::string> counts = {"0000073", "0000010", "0000000", "0000005", "-000001"};
};

inline void PutReal(std::string& r, const jvdata::Field& f, uint32_t k, uint32_t run, float v) {
  char bytes[4];
  engine::PutReal(bytes, v);
  results::rr::Put(r, f, std::string_view(bytes, 4), k, run);
}

inline std::string RunnerRecord(const Runner& s) {
  namespace rr = results::rr;
  std::string r = rr::EmptyRecord();
  const auto text = [&](const jvdata::Field& f, const std::string& utf8, uint32_t i = 0) {
    std::string bytes = common::ToCp932(utf8);
    bytes.resize(f.width, ' ');
    rr::Put(r, f, bytes, i);
  };
  text(rr::Year, s.key.substr(0, 4));
  text(rr::MonthDay, s.key.substr(4, 4));
  text(rr::RaceNum, s.key.substr(10, 2));
  text(rr::Wakuban, s.waku);
  text(rr::Umaban, s.umaban);
  text(rr::KettoNum, s.ketto);
  text(rr::HorseName, s.name);
  text(rr::KishuName, "騎手");
  text(rr::TrainerName, "調教師");
  text(rr::SireName, "父馬名");
  text(rr::Kyori, s.kyori);
  text(rr::ArrivalOrder, s.arrival);
  text(rr::WinPopularity, s.popularity);
  text(rr::WinOdds, s.odds);
  text(rr::RunTime, s.run_time);
  text(rr::Last3F, s.last3f);
  for (uint32_t j = 0; j < 3; ++j) {
    text(rr::VenueCode, s.runs[j][0], j);
    text(rr::TrackCode, s.runs[j][1], j);
    PutReal(r, rr::RunSpeedResults, 7, j, s.residual[j]);
  }
  for (uint32_t k = 0; k < 5; ++k) rr::Put(r, rr::RunnerSampleCounts, s.counts[k], k);
  PutReal(r, rr::RunSpeedResults, 3, 0, s.agari_speed);
  PutReal(r, rr::RunSpeedResults, 4, 0, s.pace_speed);
  PutReal(r, rr::RunSpeedResults, 6, 0, s.speed);
  PutReal(r, rr::RunAgariFW, 6, 0, 1.23456f);
  PutReal(r, rr::RunPaceFW, 6, 0, -0.0005f);
  PutReal(r, rr::SpeedAdjust, 0, 0, s.adjust);
  rr::Put(r, rr::LineEnd, "\r\n");
  return r;
}

inline std::string TwoDigit(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Every pair (triple) of horses 1..n, ascending, as the ticket sort files list them.
inline std::vector<std::string> AllTickets(int n, int per_ticket) {
  std::vector<std::string> out;
  for (int a = 1; a <= n; ++a)
    for (int b = a + 1; b <= n; ++b) {
      if (per_ticket == 2) {
        out.push_back(TwoDigit(a) + TwoDigit(b));
        continue;
      }
      for (int c = b + 1; c <= n; ++c) out.push_back(TwoDigit(a) + TwoDigit(b) + TwoDigit(c));
    }
  return out;
}

// The race's folder files.
class ViewerFolder {
 public:
  ViewerFolder() : dir_("rdv_viewer") {
    for (const char* sub : {"KAIME", "RACE", "UMAGOTOEXTHISWEEKN"}) std::filesystem::create_directories(app() + sub);
  }
  std::string app() const { return dir_.app_path(); }

  void Write(const std::string& name, const std::string& bytes) const {
    EXPECT_TRUE(common::WriteFileAtomic(app() + name, bytes).ok()) << name;
  }
  // A ticket sort file ("UMARENSORT.dat", ...) of race `key`.
  void Tickets(const std::string& key, const std::string& suffix, const std::string& word,
               const std::vector<std::string>& tickets) const {
    std::string text;
    for (size_t p = 0; p < tickets.size(); ++p)
      text += "\"" + key + "\",\"" + word + "\",\"" + tickets[p] + "\"," + std::to_string(200 - static_cast<int>(p)) + "\r\n";
    Write("KAIME/" + key + suffix, text);
  }
  // A matrix file of 19^dims lines, every cell 0 but those given (line, text).
  void Matrix(const std::string& key, const std::string& suffix, int dims,
              const std::vector<std::pair<int, std::string>>& cells) const {
    std::vector<std::string> lines(dims == 2 ? 361 : 6859, "0");
    for (const auto& [line, value] : cells) lines[static_cast<size_t>(line)] = value;
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    Write("KAIME/" + key + suffix, text);
  }
  // The runner sort file: one line per horse with its rank text as the 4th item.
  void Ranks(const std::string& key, const std::vector<std::string>& ranks) const {
    std::string text;
    for (size_t i = 0; i < ranks.size(); ++i)
      text += std::to_string(i + 1) + ",\"1\",\" " + std::to_string(i + 1) + "\",\"" + ranks[i] +
              "\",\"牡\",\" 3\",\"NAME\",\"55.0\",\"A\",\"A\",\"A\",\"A\",\"KISH\",\"1.36.00\",\" 999\"\r\n";
    Write("KAIME/" + key + "SORT.dat", common::ToCp932(text));
  }
  void Runners(const std::string& key, const std::vector<Runner>& runners) const {
    std::string bytes;
    for (const auto& r : runners) bytes += RunnerRecord(r);
    Write("RACE/" + key + ".dat", bytes);
  }

 private:
  TempFolder dir_;
};

}  // namespace radadovur::testing
