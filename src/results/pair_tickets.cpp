#include "results/pair_tickets.h"

#include <algorithm>

#include "common/text_file.h"
#include "results/ranking.h"

namespace radadovur::results {
namespace {

// Room for `count` tickets at positions 1..count in a list pair with its scores and sums (the
// runner-figures stage sizes them for every race; a state filled otherwise may lack them).
void EnsureRoom(size_t count, std::vector<std::string>& tickets, std::vector<std::string>& copies,
                std::vector<float>& scores, std::vector<float>& speed_sums, std::vector<float>& adjust_sums) {
  const size_t size = count + 1;
  for (auto* texts : {&tickets, &copies})
    if (texts->size() < size) texts->resize(size);
  for (auto* numbers : {&scores, &speed_sums, &adjust_sums})
    if (numbers->size() < size) numbers->resize(size);
}

// A pair or triple line of the KaimeFile: the ticket in generation order with its three sums.
std::string KaimeTicketLine(std::string_view race_key, std::string_view word, std::string_view ticket, float score,
                            float speed_sum, float adjust_sum) {
  return common::CsvLine().Text(race_key).Text(word).Text(ticket).Number(score).Number(speed_sum).Number(adjust_sum).Str();
}

float SpeedOf(const ResultsWindowState& state, std::string_view ticket, size_t at) {
  return state.PredSpeed[static_cast<size_t>(HorseNumberAt(ticket, at))];
}

}  // namespace

std::string HorseNumberText(int number) {
  const std::string text = std::to_string(number + 100);
  return text.substr(text.size() - 2);
}

int HorseNumberAt(std::string_view ticket, size_t at) {
  if (ticket.size() < at + 2) return 0;
  return (ticket[at] - '0') * 10 + (ticket[at + 1] - '0');
}

common::Status CheckRunnerSpeeds(const ResultsWindowState& state) {
  const int32_t n = state.RunnerCount;
  if (n < 0 || n > kMaxRunners)
    return common::Status::InvalidArgument("RunnerCount", "出走頭数 " + std::to_string(n) + " は馬番の範囲を超えています");
  const size_t need = static_cast<size_t>(n) + 1;
  if (n > 0 && (state.CombinedSpeed.size() < need || state.SpeedAdjustCopy.size() < need || state.PredSpeed.size() < need))
    return common::Status::InvalidArgument("PredSpeed", "馬番 " + std::to_string(n) + " までの予想速度がありません");
  return common::Status::OK();
}

std::string BuildPairs(std::string_view race_key, ResultsWindowState& s) {
  const int n = s.RunnerCount;
  EnsureRoom(static_cast<size_t>(n * (n - 1) / 2), s.UmatanKaime, s.UmarenKaime, s.PairScore, s.PairSpeedSum,
             s.PairAdjustSum);

  std::string kaime;
  s.PairCount = 0;
  for (int i = 1; i <= n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      const size_t p = static_cast<size_t>(++s.PairCount);
      s.UmatanKaime[p] = HorseNumberText(i) + HorseNumberText(j);
      s.PairSpeedSum[p] = s.CombinedSpeed[i] + s.CombinedSpeed[j];
      s.PairAdjustSum[p] = s.SpeedAdjustCopy[i] + s.SpeedAdjustCopy[j];
      // Single-precision additions in this order: the score is the two PredSpeeds' sum.
      float score = s.CombinedSpeed[i] + s.SpeedAdjustCopy[i];
      score = score + s.CombinedSpeed[j];
      score = score + s.SpeedAdjustCopy[j];
      s.PairScore[p] = score;
      kaime += KaimeTicketLine(race_key, kKaimePairWord, s.UmatanKaime[p], score, s.PairSpeedSum[p], s.PairAdjustSum[p]);
    }
  }
  SortKeysDescending(s.PairScore, s.UmatanKaime, 1, s.PairCount);
  std::copy_n(s.UmatanKaime.begin() + 1, s.PairCount, s.UmarenKaime.begin() + 1);
  return kaime;
}

void ApplyExactaOrder(ResultsWindowState& s) {
  for (size_t p = 1; p <= static_cast<size_t>(s.PairCount); ++p) {
    s.PairHorseA = s.UmatanKaime[p].substr(0, 2);
    s.PairHorseB = s.UmatanKaime[p].substr(2, 2);
    if (SpeedOf(s, s.PairHorseB, 0) > SpeedOf(s, s.PairHorseA, 0)) s.UmatanKaime[p] = s.PairHorseB + s.PairHorseA;
  }
}

std::string BuildTriples(std::string_view race_key, ResultsWindowState& s) {
  const int n = s.RunnerCount;
  EnsureRoom(static_cast<size_t>(n * (n - 1) * (n - 2) / 6), s.SanrentanKaime, s.SanrenpukuKaime, s.TripleScore,
             s.TripleSpeedSum, s.TripleAdjustSum);

  std::string kaime;
  s.TripleCount = 0;
  for (int i = 1; i <= n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      for (int k = j + 1; k <= n; ++k) {
        const size_t t = static_cast<size_t>(++s.TripleCount);
        s.SanrentanKaime[t] = HorseNumberText(i) + HorseNumberText(j) + HorseNumberText(k);
        float speed = s.CombinedSpeed[i] + s.CombinedSpeed[j];
        speed = speed + s.CombinedSpeed[k];
        float adjust = s.SpeedAdjustCopy[i] + s.SpeedAdjustCopy[j];
        adjust = adjust + s.SpeedAdjustCopy[k];
        s.TripleSpeedSum[t] = speed;
        s.TripleAdjustSum[t] = adjust;
        s.TripleScore[t] = speed + adjust;
        kaime += KaimeTicketLine(race_key, kKaimeTripleWord, s.SanrentanKaime[t], s.TripleScore[t], speed, adjust);
      }
    }
  }
  SortKeysDescending(s.TripleScore, s.SanrentanKaime, 1, s.TripleCount);
  std::copy_n(s.SanrentanKaime.begin() + 1, s.TripleCount, s.SanrenpukuKaime.begin() + 1);
  return kaime;
}

void OrderTrioByScore(ResultsWindowState& s, int32_t position) {
  const std::string& ticket = s.SanrentanKaime[static_cast<size_t>(position)];
  s.TrioHorseA = ticket.substr(0, 2);
  s.TrioHorseB = ticket.substr(2, 2);
  s.TrioHorseC = ticket.substr(4, 2);
  auto exchange = [&s](std::string& x, std::string& y) {
    s.TrioSwap = x;
    x = y;
    y = s.TrioSwap;
  };
  if (SpeedOf(s, s.TrioHorseB, 0) < SpeedOf(s, s.TrioHorseC, 0)) exchange(s.TrioHorseB, s.TrioHorseC);
  if (SpeedOf(s, s.TrioHorseA, 0) < SpeedOf(s, s.TrioHorseB, 0)) exchange(s.TrioHorseA, s.TrioHorseB);
  if (SpeedOf(s, s.TrioHorseB, 0) < SpeedOf(s, s.TrioHorseC, 0)) exchange(s.TrioHorseB, s.TrioHorseC);
}

void ApplyTrifectaOrder(ResultsWindowState& s) {
  for (int32_t t = 1; t <= s.TripleCount; ++t) {
    OrderTrioByScore(s, t);
    s.SanrentanKaime[static_cast<size_t>(t)] = s.TrioHorseA + s.TrioHorseB + s.TrioHorseC;
  }
}

std::string TicketSortFileText(std::string_view race_key, std::string_view kind_word,
                               const std::vector<std::string>& tickets, const std::vector<float>& scores, int32_t count) {
  std::string text;
  for (size_t p = 1; p <= static_cast<size_t>(count); ++p)
    text += common::CsvLine().Text(race_key).Text(kind_word).Text(tickets[p]).Number(scores[p]).Str();
  return text;
}

}  // namespace radadovur::results
