#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "results/results_window_state.h"

// A hand-filled race for the web pages: 2024-09-21 (a Saturday) at 中山 (06), meeting 5, day 8,
// race 11 at 15:40 over 1200 m of 芝, five runners.
namespace radadovur::exports::web_fixture {

using common::ToCp932;

inline std::string RunnerRecord(const std::string& race_id) {
  std::string r(24022, '\0');
  r.replace(0, 16, race_id);
  return r;
}

struct Race {
  Race() {
    s.CodeTable.cells[0] = {"2001", "06", ToCp932("中山競馬場"), ToCp932("中"), ToCp932("中山"), ToCp932("中"),
                            "Nakayama", "Nakayama"};
    s.RaceTable.resize(2);
    s.RaceTable[1] = {"202409210611", "11", "1540", "11", "", "", "", "", ToCp932("芝"), "1200", " 5", ""};
    s.RaceIndex = 1;
    s.CurrentRunnerRecord = RunnerRecord("2024092106050811");
    s.RunnerCount = 5;
    auto per_runner = [](std::initializer_list<std::string> texts) {
      std::vector<std::string> v{""};
      for (const std::string& t : texts) v.push_back(t);
      return v;
    };
    s.WakuText = per_runner({"1", "2 ", "3", "6", "5"});
    s.HorseNameText = per_runner({ToCp932("サンプルホースアルファベット"), "A&<B\"Z      ", ToCp932("ガンマ"),
                                  ToCp932("デルタ"), ToCp932("イプシロン")});
    s.SexText = per_runner({ToCp932("牡"), ToCp932("牝"), ToCp932("牡"), ToCp932("セ"), ToCp932("牝")});
    s.AgeText = per_runner({"03", "04", "10", "05", "03"});
    s.FutanText = per_runner({"57.0", "55.0", "58.0", "57.0", "55.0"});
    s.KishuText = per_runner({ToCp932("騎手太郎次"), ToCp932("騎手"), ToCp932("騎手三"), ToCp932("騎手四郎"),
                              ToCp932("騎手五郎丸")});
    s.TrainerText = per_runner({ToCp932("調教師花子"), ToCp932("調教"), ToCp932("調教三"), ToCp932("調教四郎"),
                                ToCp932("調教五郎丸")});
    s.PredRank[1] = " 2";
    s.PredRank[2] = " 4";
    s.PredRank[3] = " 1";
    s.PredRank[4] = " 5";
    s.PredRank[5] = " 3";
    s.PairCount = 10;
    s.UmatanKaime = {"", "0302", "0301", "0102", "0305", "0304", "0205", "0105", "0104", "0204", "0504"};
    s.TripleCount = 10;
    s.SanrenpukuTop7 = {"010203", "010304", "020304", "010305", "020305", "030405", "010204"};
  }

  // Turns the race into race `num` ("01" to "12") of the same day.
  void RaceNumber(const std::string& num) {
    s.CurrentRunnerRecord.replace(14, 2, num);
    s.RaceTable[1][results::kColRaceNum] = num;
  }

  results::ResultsWindowState s;
};

// UTF-8 lines with CR LF after each.
inline std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

}  // namespace radadovur::exports::web_fixture
