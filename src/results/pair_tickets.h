#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "results/results_files.h"
#include "results/results_window_state.h"

// Every pair and triple of a race's runners, scored by the sum of their predicted speeds and
// sorted best first: the ticket lists of the results window (UmarenKaime, UmatanKaime,
// SanrenpukuKaime, SanrentanKaime with their scores), the ticket sort files of the KAIME folder
// and the pair and triple lines of the race's KaimeFile.
namespace radadovur::results {

// The kind words of the ticket sort files, spelled as the race viewer reads them back.
inline constexpr std::string_view kUmarenSortWord = "Umaren";
inline constexpr std::string_view kUmatanSortWord = "Umatan";
inline constexpr std::string_view kSanrenSortWord = "Sanrenpuke";
inline constexpr std::string_view kSanrentanSortWord = "sanrentan";
// The kind words of the KaimeFile's pair and triple lines.
inline constexpr std::string_view kKaimePairWord = "Umaren";
inline constexpr std::string_view kKaimeTripleWord = "Sanrenpuku";

// The four ticket sort files of a race: "KAIME/<RaceKey>UMARENSORT.dat" and its siblings.
inline common::Status UmarenSortFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, "UMARENSORT.dat", name);
}
inline common::Status UmatanSortFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, "UMATANSORT.dat", name);
}
inline common::Status SanrenSortFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, "SANRENSORT.dat", name);
}
inline common::Status SanrentanSortFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, "SANRENTANSORT.dat", name);
}

// Horse numbers run to 99: a runner file with more records is not one the pass wrote.
inline constexpr int32_t kMaxRunners = 99;

// A horse number in a ticket: the last two digits of number + 100 (3 gives "03").
std::string HorseNumberText(int number);
// The horse number of the two characters at `at` of a ticket.
int HorseNumberAt(std::string_view ticket, size_t at);

// Not OK when RunnerCount is out of 0..99 or the per-runner speeds (CombinedSpeed,
// SpeedAdjustCopy, PredSpeed) do not reach horse RunnerCount: the tickets cannot be formed.
common::Status CheckRunnerSpeeds(const ResultsWindowState& state);

// Pairs made and sorted: PairCount = n(n-1)/2; every pair i < j in generation order with its sums,
// then SortKeysDescending of PairScore with UmatanKaime, and UmarenKaime a copy of the sorted
// list. Returns the pairs' KaimeFile lines in generation order. Needs CheckRunnerSpeeds.
std::string BuildPairs(std::string_view race_key, ResultsWindowState& state);

// The exacta order of the sorted pairs: each UmatanKaime entry with its faster horse first
// (equal speeds keep the lower number first).
void ApplyExactaOrder(ResultsWindowState& state);

// Triples made and sorted: TripleCount = n(n-1)(n-2)/6, generated, scored and sorted as the pairs;
// SanrenpukuKaime a copy of the sorted list. Returns the triples' KaimeFile lines.
std::string BuildTriples(std::string_view race_key, ResultsWindowState& state);

// Sets TrioHorseA, TrioHorseB, TrioHorseC to the horses of SanrentanKaime(position), fastest
// first; the comparisons are strict, so equal speeds keep their incoming order.
void OrderTrioByScore(ResultsWindowState& state, int32_t position);

// The trifecta order of the sorted triples: every SanrentanKaime entry ordered by OrderTrioByScore.
void ApplyTrifectaOrder(ResultsWindowState& state);

// A ticket sort file: one line per ticket 1..count, ("RaceKey", "kind word", "ticket", score).
std::string TicketSortFileText(std::string_view race_key, std::string_view kind_word,
                               const std::vector<std::string>& tickets, const std::vector<float>& scores, int32_t count);

}  // namespace radadovur::results
