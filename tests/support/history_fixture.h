#pragma once
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"

// Hand-made files of past meeting days under "TEKICHU", as the results pass leaves them: the hit
// table, the two rate tables, the strategy hit table and the result document "lupRCM.txt". Texts
// are given in UTF-8 and written in code page 932.
namespace radadovur::testing {

// One runner line of a result document: the items 2..17 of its "HS" line.
struct HistoryRunner {
  int rank;              // item 2, the line's rank
  std::string horse;     // item 4
  std::string pred;      // item 5, two characters
  std::string time;      // item 14, "m.ss.hh"
};

struct HistoryRace {
  int number = 1;
  std::string distance = "1600";
  std::vector<HistoryRunner> runners;
  // "AT" lines: AtCode, label, combination, payout.
  std::vector<std::vector<std::string>> hits;
  bool q1 = true;
};

inline std::string HistoryLine(const std::vector<std::string>& items) {
  std::string line;
  for (size_t i = 0; i < items.size(); ++i) line += (i ? ",\"" : "\"") + items[i] + "\"";
  return common::ToCp932(line) + "\r\n";
}

inline std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A race whose runners 1..n are ranked in order, with times 1.35.24, 1.35.34, ...
inline HistoryRace PlainRace(int number, int runners) {
  HistoryRace race;
  race.number = number;
  for (int h = 1; h <= runners; ++h)
    race.runners.push_back({h, std::to_string(h), (h < 10 ? " " : "") + std::to_string(h), "1.35." + Two(23 + h)});
  return race;
}

inline std::string LupDocument(const std::vector<HistoryRace>& races) {
  // Every line with the items its tag has in a real document, the values the readers skip made up.
  std::string doc = HistoryLine({"DY", "1", "20240922"}) + HistoryLine({"PL", "1", "4", "中山", "7", "11"});
  for (const HistoryRace& race : races) {
    doc += HistoryLine({"RC", std::to_string(race.number), "10:05", Two(race.number), "", "レース" + std::to_string(race.number),
                        "3歳未勝利", "", "芝", race.distance, "52.3", "晴良"});
    doc += HistoryLine({"RR", "n", "w", "馬", "予", "人", "入", "性", "齢", "馬名", "負担", "騎手名", "調教師名", "推定タイム",
                        "実タイム", "推定上3F", "実上3F"});
    for (const HistoryRunner& r : race.runners)
      doc += HistoryLine({"HS", std::to_string(r.rank), "4", r.horse, r.pred, " 3", " 2", "牡", "3", "ホース" + r.horse, "56.0",
                          "騎手", "調教師", r.time, "1.35.50", "34.5", "34.8"});
    if (race.q1) doc += HistoryLine({"Q1", "1", "2", "3", "4", "5"});
    int n = 0;
    for (const auto& hit : race.hits)
      doc += HistoryLine({"AT", std::to_string(++n), hit[0], hit[1], hit[2], hit[3]});
    doc += HistoryLine({"KK", "1", "1", "350", "", ""});
    doc += HistoryLine({"KK", "2", "1", "150", "2", "180", "", "", "", ""});
    doc += HistoryLine({"KK", "3", "1-2", "900", "", ""});
    doc += HistoryLine({"KK", "4", "1-2", "1200", "", ""});
    doc += HistoryLine({"KK", "5", "1-2", "400", "", "", "", "", "", "", "", ""});
  }
  return doc;
}

// The hit table: the title of the day and four rows per race; `yonin[c]` is the 予人 cell of
// column c (1..7) of every race, empty for no hit.
inline std::string HitTable(const std::vector<std::string>& title, int races, const std::vector<std::string>& yonin = {}) {
  std::string t = HistoryLine(title);
  t += HistoryLine({"R番号", "馬連", "馬単", "3連複", "3連単", "ワイド1", "ワイド2", "ワイド3"});
  for (int r = 1; r <= races; ++r) {
    std::vector<std::string> hit = {std::to_string(r) + "R 的中"}, comb = {"    当目"}, pay = {"    配当"}, pop = {"    予人"};
    for (size_t c = 1; c <= 7; ++c) {
      const std::string y = c < yonin.size() ? yonin[c] : "";
      hit.push_back(y.empty() ? "" : "本線");
      comb.push_back(y.empty() ? "" : "1-2");
      pay.push_back(y.empty() ? "" : "1200");
      pop.push_back(y);
    }
    t += HistoryLine(hit) + HistoryLine(comb) + HistoryLine(pay) + HistoryLine(pop);
  }
  return t;
}

inline void WriteDayFile(const std::string& app_path, const std::string& key, const std::string& name,
                         const std::string& bytes) {
  std::filesystem::create_directories(app_path + "TEKICHU");
  // A fixture that could not be written would test nothing.
  if (const common::Status s = common::WriteFileAtomic(app_path + "TEKICHU/" + key + name, bytes); !s.ok())
    throw std::runtime_error(s.ToString());
}

// A whole meeting day of `races` races of 16 runners (a hit of every kind in each race).
inline void WriteMeetingDay(const std::string& app_path, const std::string& key, const std::vector<std::string>& title,
                            int races = 12) {
  WriteDayFile(app_path, key, "tekichu.txt", HitTable(title, races, {"", "3 2", "14 5", "", "90 40", "", "", ""}));
  std::string kaiteki = HistoryLine(title) + HistoryLine({"　　", "回収率", "％", "　　", "的中率", "％", "　　"}) +
                        HistoryLine({"券種", "本線", "準本線", "伏兵", "本線", "準本線", "伏兵"});
  for (const char* kind : {"馬連", "馬単表", "馬単裏", "３連複", "３連単", "ワイド"})
    kaiteki += HistoryLine({kind, "100", "100.1", "55.5", "30", "30.1", "8.3"});
  WriteDayFile(app_path, key, "kaiteki.txt", kaiteki);
  std::string pc = HistoryLine(title) + HistoryLine({" R番号", "単勝1", "複勝1", "単勝2", "複勝2", "馬連F", "馬連B", "馬単F",
                                                      "  3連複B", "  3連単12", "  3連単23", "  3連単13"});
  for (int r = 1; r <= races; ++r) {
    pc += HistoryLine({std::to_string(r) + "R点数  ", "1", "1", "1", "1", "6", "6", "12", "7", "42", "42", "42"});
    pc += HistoryLine({"  的中目", "3", "", "", "", "", "", "", "", "1-2-3", "", ""});
    pc += HistoryLine({"  配当", "10000", "", "", "", "", "", "", "", "10010", "", ""});
  }
  WriteDayFile(app_path, key, "tekichuPC.txt", pc);
  std::string kpc = HistoryLine(title) + HistoryLine({"券種", "単勝1", "複勝1", "単勝2", "複勝2", "馬連F", "馬連B", "馬単F",
                                                       "  3連複B", "  3連単12", "  3連単23", "  3連単13"});
  for (const char* row : {"予想R数", "的中R数", "的中率", "購入点数", "回収金額", "回収率"})
    kpc += HistoryLine({row, "12", "3", "30.1", "30", "100", "100.1", "5", "6", "7", "8", "9"});
  WriteDayFile(app_path, key, "kaitekiPC.txt", kpc);
  std::vector<HistoryRace> list;
  for (int r = 1; r <= races; ++r) {
    HistoryRace race = PlainRace(r, 16);
    race.hits = {{"1", "本線", "01-02", "1200"}, {"2", "本線", "01-02", "400"}, {"3", "準本線", "01-03", "10001"}};
    list.push_back(race);
  }
  WriteDayFile(app_path, key, "lupRCM.txt", LupDocument(list));
}

// The day that the damaged-day tests break: the second racecourse of 2024-09-22.
inline constexpr const char* kBrokenKey = "20240922090407";

// Three meeting days around it: 2024-09-22 at Nakayama (3 races), kBrokenKey (2) and 2024-09-21 (1).
inline void WriteDaysAroundTheBrokenOne(const std::string& app_path) {
  const std::vector<std::string> title22 = {"2024年", "09月", "22日", "4回", "中山", "7日目"};
  WriteMeetingDay(app_path, "20240922060407", title22, 3);
  WriteMeetingDay(app_path, kBrokenKey, title22, 2);
  WriteMeetingDay(app_path, "20240921060406", {"2024年", "09月", "21日", "4回", "中山", "6日目"}, 1);
}

}  // namespace radadovur::testing
