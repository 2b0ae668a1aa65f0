#pragma once
#include <algorithm>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "results/results_window_state.h"
#include "support/record_builder.h"
#include "support/temp_folder.h"

// A hand-filled results window for the exports: Sunday 2024-09-22, 中山 (06) meeting 4 day 8 and
// 阪神 (09) meeting 4 day 8, races set one at a time as the pass leaves them for its writers.
namespace radadovur::testing {

inline std::string Cp(const std::string& utf8) { return common::ToCp932(utf8); }

struct ExportDay {
  ExportDay() : folder("rdv_export_") {
    for (const char* name : {"TANFUKU", "TANFUKU2", "TANSHO", "SOKUDO"})
      std::filesystem::create_directory(folder.path() + "/" + name);
    s.CodeTable.cells[0] = {"2001", "06", Cp("中山競馬場"), Cp("中"), Cp("中山"), Cp("中"), "nakayama", ""};
    s.CodeTable.cells[1] = {"2001", "09", Cp("阪神競馬場"), Cp("阪"), Cp("阪神"), Cp("阪"), "hanshin", ""};
    s.RaceTable.resize(4);
    s.RaceTable[1] = {"202409220611", "11", "1540", "11", Cp("オールカマー"), Cp("サラ系３歳以上"), Cp("オープン"),
                      Cp("Ｇ２"), Cp("芝"), "2200", " 4", Cp("晴良")};
    s.RaceTable[2] = {"202409220901", "1", "0950", "01", "", Cp("サラ系２歳"), Cp("未勝利"), "", Cp("ダ"), "1400", " 0",
                      Cp("曇稍")};
    s.RaceTable[3] = {"202409220612", "12", "1625", "12", "", Cp("サラ系３歳以上"), Cp("２勝クラス"), "", Cp("ダ"),
                      "1800", " 2", Cp("晴良")};
  }

  std::string app() const { return folder.app_path(); }

  // Race `index` of the table with one runner per speed (km/h); ranks follow the speeds, fastest
  // first. Horse h finishes `arrival[h-1]` ("" for " h"), popularity n+1-h.
  void Race(int index, const std::string& race_id, const std::vector<float>& speeds,
            const std::vector<std::string>& arrival = {}) {
    const size_t n = speeds.size();
    s.RaceIndex = index;
    s.RunnerCount = static_cast<int32_t>(n);
    if (n > 0) {
      s.CurrentRunnerRecord.assign(24022, '\0');
      s.CurrentRunnerRecord.replace(0, 16, race_id);
    }
    auto fill = [n](std::vector<std::string>& v, const std::string& text) { v.assign(n + 1, text); };
    fill(s.WakuText, "");
    fill(s.HorseNameText, "");
    fill(s.KishuText, Cp("騎手太郎次"));
    fill(s.TrainerText, Cp("調教師花子"));
    fill(s.SexText, Cp("牝"));
    fill(s.AgeText, "03");
    s.PredSpeed.assign(n + 1, 0.0f);
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return speeds[a - 1] > speeds[b - 1]; });
    for (size_t r = 0; r < n; ++r) {
      const std::string rank = std::to_string(r + 1);
      s.PredRank[order[r]] = (rank.size() == 1 ? " " : "") + rank;
    }
    for (size_t h = 1; h <= n; ++h) {
      s.PredSpeed[h] = speeds[h - 1];
      s.WakuText[h] = std::to_string((h + 1) / 2);
      s.HorseNameText[h] = Cp("ホース" + std::to_string(h) + "アルファベータガンマ");
      const std::string a = h <= arrival.size() ? arrival[h - 1] : std::to_string(h);
      s.ArrivalText[h] = (a.size() == 1 ? " " : "") + a;
      const std::string p = std::to_string(n + 1 - h);
      s.PopularityText[h] = (p.size() == 1 ? " " : "") + p;
    }
  }

  // A payout record of the race with 単勝 and 複勝 entries (combination, payout) in the given order.
  static std::string Payout(const std::string& race_id, const std::vector<std::pair<std::string, std::string>>& win,
                            const std::vector<std::pair<std::string, std::string>>& place) {
    namespace hr = jvdata::hr;
    std::vector<FieldValue> values = {{hr::Year, race_id.substr(0, 4)},     {hr::MonthDay, race_id.substr(4, 4)},
                                      {hr::VenueCode, race_id.substr(8, 2)}, {hr::Kaiji, race_id.substr(10, 2)},
                                      {hr::Nichiji, race_id.substr(12, 2)},  {hr::RaceNum, race_id.substr(14, 2)}};
    for (uint32_t i = 0; i < hr::TanshoPayouts_Combination.count; ++i) {
      const bool used = i < win.size();
      values.push_back({hr::TanshoPayouts_Combination, used ? win[i].first : "00", i});
      values.push_back({hr::TanshoPayouts_Payout, used ? win[i].second : "000000000", i});
    }
    for (uint32_t i = 0; i < hr::FukushoPayouts_Combination.count; ++i) {
      const bool used = i < place.size();
      values.push_back({hr::FukushoPayouts_Combination, used ? place[i].first : "00", i});
      values.push_back({hr::FukushoPayouts_Payout, used ? place[i].second : "000000000", i});
    }
    return MakeRecord(jvdata::RecordType::HR, values);
  }

  void WritePayouts(const std::vector<std::string>& records) const {
    std::string bytes;
    for (const std::string& r : records) bytes += r;
    (void)common::WriteFileAtomic(app() + "HRTHISWEEKN.dat", bytes);
  }

  std::string Read(const std::string& name) const { return common::ReadWholeFile(app() + name).value_or("<none>"); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(app() + name); }

  TempFolder folder;
  results::ResultsWindowState s;
};

inline constexpr const char* kNakayama11 = "2024092206040811";
inline constexpr const char* kHanshin01 = "2024092209040801";
inline constexpr const char* kNakayama12 = "2024092206040812";

}  // namespace radadovur::testing
