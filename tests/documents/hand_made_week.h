#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "jvdata/layout_hr.h"
#include "results/results_window_state.h"
#include "support/record_builder.h"

namespace radadovur::documents::hand_made {

namespace hr = jvdata::hr;
using common::ToCp932;

// A hand-made meeting day, 2024-09-22 at 中山 (06), meeting 4, day 4: race 01 of three runners
// (registered "03", its payouts at hand) and race 02 of four (a jump race, registered "04",
// whose payout record at hand is race 03's).
struct Week {
  using ResultsWindowState = results::ResultsWindowState;
  Week() {
    s.CodeTable.cells[0] = {"2001", "06", ToCp932("中山競馬場"), ToCp932("中"), ToCp932("中山"), ToCp932("中"), "", ""};
    s.RaceTable.resize(4);
    s.RaceTable[1] = {"202409220601", "1", "1000", "01", "", ToCp932("サラ系２歳"), ToCp932("未勝利"), "",
                      ToCp932("芝右"), "1200", " 5", ToCp932("晴良")};
    s.RaceTable[2] = {"202409220602", "2", "1030", "02", ToCp932("テスト特別"), ToCp932("障害４歳以上"), ToCp932("オープン"),
                      "", ToCp932("障芝"), "3000", "12", ToCp932("晴良")};
    s.RaceTable[3] = {"202409220905", "5", "1200", "05", "", "", "", "", "", "", "", ""};
  }

  static std::string RunnerRecord(const std::string& race_id, const std::string& track, const std::string& toroku) {
    std::string r(24022, '\0');
    r.replace(0, 16, race_id);
    r.replace(2701, 2, track);
    r.replace(2831, 2, toroku);
    return r;
  }

  // Per-runner texts of horses 1..n; `order`: horse numbers by predicted rank.
  void Runners(const std::vector<std::string>& order, const std::vector<std::string>& marks) {
    const int n = static_cast<int>(order.size());
    s.RunnerCount = n;
    auto fill = [n](std::vector<std::string>& v, const std::string& text) { v.assign(static_cast<size_t>(n) + 1, text); };
    fill(s.FutanText, "55.0");
    fill(s.KishuText, ToCp932("騎手太郎次"));
    fill(s.TrainerText, ToCp932("調教師花子"));
    fill(s.SexText, ToCp932("牡"));
    fill(s.AgeText, "3");
    fill(s.EstTimeText, "1.35.20");
    fill(s.EstL3FText, "34.50");
    fill(s.RealTimeText, "1.35.4");
    fill(s.RealL3FText, "34.8");
    fill(s.WakuText, "");
    fill(s.HorseNameText, "");
    s.RankOrder.assign(1, "");
    // Speeds whose figures are 1008, " 998", 1016, " 966"; observed ones " 999".
    const float speeds[] = {60.5f, 59.9f, 61.0f, 58.0f};
    s.PredSpeed.assign(static_cast<size_t>(n) + 1, 0.0f);
    s.ObservedSpeed.assign(static_cast<size_t>(n) + 1, 60.0f);
    s.ReliabilityMarks.assign(static_cast<size_t>(n) + 1, {});
    s.ReliabilityMarks[1] = {"A", "", "A", "", ""};
    for (int j = 1; j <= n; ++j) {
      s.WakuText[j] = std::to_string(j);
      s.PredSpeed[j] = speeds[(j - 1) % 4];
      s.HorseNameText[j] = ToCp932(j == 1 ? "サンプルホースアルファ" : "ベータ" + std::to_string(j));
      s.ArrivalText[j] = " " + std::to_string(j);
      s.PopularityText[j] = " " + std::to_string(n + 1 - j);
      s.PlaceMark[j] = marks[static_cast<size_t>(j - 1)];
    }
    for (int r = 1; r <= n; ++r) {
      s.RankOrder.push_back(order[static_cast<size_t>(r - 1)]);
      s.PredRank[static_cast<size_t>(std::stoi(order[static_cast<size_t>(r - 1)]))] = " " + std::to_string(r);
    }
  }
  void Tickets(std::vector<std::string> umaren, std::vector<std::string> umatan, std::vector<std::string> trio,
               std::vector<std::string> trifecta) {
    s.PairCount = static_cast<int32_t>(umaren.size());
    s.TripleCount = static_cast<int32_t>(trio.size());
    s.UmarenKaime = {""};
    s.UmarenKaime.insert(s.UmarenKaime.end(), umaren.begin(), umaren.end());
    s.UmatanKaime = {""};
    s.UmatanKaime.insert(s.UmatanKaime.end(), umatan.begin(), umatan.end());
    s.SanrenpukuKaime = {""};
    s.SanrenpukuKaime.insert(s.SanrenpukuKaime.end(), trio.begin(), trio.end());
    s.SanrentanKaime = {""};
    s.SanrentanKaime.insert(s.SanrentanKaime.end(), trifecta.begin(), trifecta.end());
  }

  void Race01() {
    s.RaceIndex = 1;
    s.CurrentRunnerRecord = RunnerRecord("2024092206040401", "17", "03");
    Runners({"02", "03", "01"}, {"02", "01", "03"});
    Tickets({"0203", "0102", "0103"}, {"0203", "0201", "0301"}, {"010203"}, {"020301"});
    s.CurrentPayoutRecord = testing::MakeRecord(
        jvdata::RecordType::HR,
        {{hr::Year, "2024"}, {hr::MonthDay, "0922"}, {hr::VenueCode, "06"}, {hr::Kaiji, "04"}, {hr::Nichiji, "04"},
         {hr::RaceNum, "01"},
         {hr::TanshoPayouts_Combination, "02"}, {hr::TanshoPayouts_Payout, "000000250"}, {hr::TanshoPayouts_Popularity, "01"},
         {hr::FukushoPayouts_Combination, "02"}, {hr::FukushoPayouts_Payout, "000000110"}, {hr::FukushoPayouts_Popularity, "01"},
         {hr::FukushoPayouts_Combination, "01", 1}, {hr::FukushoPayouts_Payout, "000000130", 1},
         {hr::FukushoPayouts_Popularity, "02", 1},
         {hr::UmarenPayouts_Combination, "0102"}, {hr::UmarenPayouts_Payout, "000000350"}, {hr::UmarenPayouts_Popularity, "001"},
         {hr::WidePayouts_Combination, "0102"}, {hr::WidePayouts_Payout, "000000120"}, {hr::WidePayouts_Popularity, "001"},
         {hr::WidePayouts_Combination, "0103", 1}, {hr::WidePayouts_Payout, "000000200", 1}, {hr::WidePayouts_Popularity, "003", 1},
         {hr::WidePayouts_Combination, "0203", 2}, {hr::WidePayouts_Payout, "000000150", 2}, {hr::WidePayouts_Popularity, "002", 2},
         {hr::UmatanPayouts_Combination, "0201"}, {hr::UmatanPayouts_Payout, "000000560"}, {hr::UmatanPayouts_Popularity, "002"},
         {hr::SanrenpukuPayouts_Combination, "010203"}, {hr::SanrenpukuPayouts_Payout, "000000400"},
         {hr::SanrenpukuPayouts_Popularity, "001"},
         {hr::SanrentanPayouts_Combination, "000000"}});
  }
  void Race02() {
    s.RaceIndex = 2;
    s.CurrentRunnerRecord = RunnerRecord("2024092206040402", "55", "04");
    Runners({"04", "01", "03", "02"}, {"02", "**", "01", "03"});
    Tickets({"0104", "0304", "0103", "0204", "0102", "0203"}, {"0401", "0403", "0103", "0402", "0102", "0302"},
            {"010304", "010204", "020304", "010203"}, {"040103", "040102", "040302", "010302"});
    s.CurrentPayoutRecord = testing::MakeRecord(
        jvdata::RecordType::HR, {{hr::Year, "2024"}, {hr::MonthDay, "0922"}, {hr::VenueCode, "06"}, {hr::RaceNum, "03"},
                                 {hr::UmarenPayouts_Combination, "0104"}, {hr::UmarenPayouts_Payout, "000000100"},
                                 {hr::UmarenPayouts_Popularity, "001"}});
  }

  ResultsWindowState s;
};

// UTF-8 lines to the CP932 bytes of a file, CR LF after each.
inline std::string FileOf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += ToCp932(line) + "\r\n";
  return out;
}

}  // namespace radadovur::documents::hand_made
