#pragma once
#include <string>
#include <vector>

#include "common/cp932.h"
#include "results/results_window_state.h"

// A hand-made race for the writers' tests: per-runner texts and ticket lists.
namespace radadovur::testing {

// RunnerCount n and the texts of horses 1..n: horse 1 "サンプルホースアルファ", the others
// "ベータ<j>", bracket j, arrival j and popularity n+1-j; the same weight, jockey, trainer, sex,
// age and times for all.
inline void SetRunnerTexts(results::ResultsWindowState& s, int n) {
  using common::ToCp932;
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
  for (int j = 1; j <= n; ++j) {
    s.WakuText[j] = std::to_string(j);
    s.HorseNameText[j] = ToCp932(j == 1 ? "サンプルホースアルファ" : "ベータ" + std::to_string(j));
    s.ArrivalText[j] = " " + std::to_string(j);
    s.PopularityText[j] = " " + std::to_string(n + 1 - j);
  }
}

// Ticket lists: entries 1.. as given, entry 0 empty.

inline void SetTicketLists(results::ResultsWindowState& s, const std::vector<std::string>& umaren,
                           const std::vector<std::string>& umatan, const std::vector<std::string>& trio,
                           const std::vector<std::string>& trifecta) {
  s.PairCount = static_cast<int32_t>(umaren.size());
  s.TripleCount = static_cast<int32_t>(trio.size());
  auto from_one = [](std::vector<std::string>& list, const std::vector<std::string>& entries) {
    list = {""};
    list.insert(list.end(), entries.begin(), entries.end());
  };
  from_one(s.UmarenKaime, umaren);
  from_one(s.UmatanKaime, umatan);
  from_one(s.SanrenpukuKaime, trio);
  from_one(s.SanrentanKaime, trifecta);
}

}  // namespace radadovur::testing
