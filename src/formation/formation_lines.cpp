#include "formation/formation_lines.h"

#include <optional>

#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/race_of_record.h"
#include "formation/formation_legs.h"

namespace radadovur::formation {
namespace {

// A line's ranks: from `first` to a fixed rank or to one of the legs' ends.
struct LineRanks {
  const char* tag;
  int first;
  int last;                         // used when `leg` is null
  int FormationLegs::* leg = nullptr;
};

constexpr LineRanks kLines[] = {
    {"TF1", 1, 1},
    {"TF2", 2, 2},
    {"UF1", 1, 3},
    {"UF2", 1, 0, &FormationLegs::pair_end},
    {"UBX", 1, 0, &FormationLegs::box_end},
    {"S11", 1, 1},
    {"S12", 2, 2},
    {"S1A", 3, 0, &FormationLegs::partner_end},
    {"S21", 2, 2},
    {"S22", 3, 3},
    {"S2A", 4, 0, &FormationLegs::partner_end},
    {"S31", 1, 1},
    {"S32", 3, 3},
    {"S3A", 4, 0, &FormationLegs::partner_end},
    {"SBX", 1, 0, &FormationLegs::box_end},
};

}  // namespace

std::string FormationLines(const results::ResultsWindowState& state, common::StepFailures& failures) {
  const documents::RaceOfRecord race = documents::RaceOf(state.CurrentRunnerRecord);
  std::string sd;
  if (state.RaceIndex >= 1 && static_cast<size_t>(state.RaceIndex) < state.RaceTable.size())
    sd = state.RaceTable[static_cast<size_t>(state.RaceIndex)][results::kColSdValue];
  FormationLegs legs{};
  const common::Status legs_status = FormationLegsOf(RegisteredCount(race.toroku_tosu), sd, &legs);
  if (!legs_status.ok())
    failures.Add(common::Status::InvalidArgument("フォーメーション",
                                                 "フォーメーション UF2, UBX, S1A, S2A, S3A, SBX: " +
                                                     legs_status.ToString()));
  const int ranked = RankedRunners(state.RunnerCount, state.RankOrder.size());

  std::string out;
  for (const LineRanks& spec : kLines) {
    if (spec.leg != nullptr && !legs_status.ok()) continue;
    const int last = std::min(spec.leg != nullptr ? legs.*spec.leg : spec.last, ranked);
    common::TaggedLine line(spec.tag);
    bool whole = true;
    for (int r = spec.first; r <= last && whole; ++r) {
      const std::string& entry = state.RankOrder[static_cast<size_t>(r)];
      long long horse = 0;
      std::string item;
      if (!documents::ReadWhole(entry, horse) ||
          !documents::TwoCharacterNumber(std::to_string(horse), &item).ok()) {
        failures.Add(common::Status::InvalidArgument(
            "フォーメーション", "フォーメーション " + std::string(spec.tag) + ": " + std::to_string(r) +
                                   " 位の馬 \"" + common::Shown(entry) + "\" は数字ではありません"));
        whole = false;
      }
      line.Text(item);
    }
    if (whole) out += line.Str();
  }
  return out;
}

}  // namespace radadovur::formation
