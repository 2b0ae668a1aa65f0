#pragma once
#include <string>
#include <vector>

#include "common/cp932.h"
#include "jvdata/layout_hr.h"
#include "results/results_window_state.h"
#include "support/record_builder.h"

// A race of the rank-based strategy by hand: horses by predicted rank, their finishing marks,
// the registered count and the SD value; race 01 of 2024-09-22 at 中山 (06), meeting 4, day 4.
namespace radadovur::formation::testing {

inline std::string RunnerRecord(const std::string& race_id, const std::string& track, const std::string& toroku) {
  std::string r(24022, '\0');
  r.replace(0, 16, race_id);
  r.replace(2701, 2, track);
  r.replace(2831, 2, toroku);
  return r;
}

struct Race {
  // `order`: horse numbers by predicted rank ("05", ...); `marks`: the finishing mark of each
  // rank's horse ("01" to "05" or "**"), as many as given.
  Race(std::vector<std::string> order, std::vector<std::string> marks, std::string toroku, std::string sd,
       std::string race_num = "01") {
    s.RunnerCount = static_cast<int32_t>(order.size());
    s.RaceIndex = 1;
    s.RaceTable.resize(2);
    s.RaceTable[1][results::kColSdValue] = sd;
    s.CurrentRunnerRecord = RunnerRecord("2024092206040" "4" + race_num, "17", toroku);
    s.RankOrder = {""};
    for (size_t r = 0; r < order.size(); ++r) {
      s.RankOrder.push_back(order[r]);
      s.PlaceMark[static_cast<size_t>(std::stoi(order[r]))] = r < marks.size() ? marks[r] : "**";
    }
  }
  void Payouts(const std::vector<radadovur::testing::FieldValue>& fields) {
    namespace hr = jvdata::hr;
    std::vector<radadovur::testing::FieldValue> all = {{hr::Year, "2024"}, {hr::MonthDay, "0922"},
                                                       {hr::VenueCode, "06"}, {hr::RaceNum, "01"}};
    all.insert(all.end(), fields.begin(), fields.end());
    s.CurrentPayoutRecord = radadovur::testing::MakeRecord(jvdata::RecordType::HR, all);
  }
  results::ResultsWindowState s;
};

}  // namespace radadovur::formation::testing
