#include "results/bet_lists.h"

#include <algorithm>

#include "common/cp932.h"
#include "common/data_name.h"

namespace radadovur::results {
namespace {

struct BetListShape {
  int tickets;  // positions taken from the sorted list
  bool triples; // from SanrentanKaime rather than UmatanKaime
};

BetListShape ShapeOf(BetKind kind) {
  switch (kind) {
    case BetKind::kUmaren: return {7, false};
    case BetKind::kWide: return {3, false};
    case BetKind::kUmatan: return {7, false};
    case BetKind::kSanrenpuku: return {10, true};
    case BetKind::kSanrentan: return {10, true};
    default: return {0, false};
  }
}

std::string_view Cut(std::string_view text, size_t at, size_t length) {
  return at < text.size() ? text.substr(at, length) : std::string_view();
}

}  // namespace

common::Status BetListFileName(BetKind kind, std::string_view race_key, const CodeTable& table, std::string& name) {
  name.clear();
  if (common::Status status = common::CheckDataName(common::DataName::kRaceKey, race_key); !status.ok()) return status;
  const std::string_view venue = Cut(race_key, 8, 2);
  std::string course;
  if (auto word = common::DecodeCp932(LookupCodeTable(table, kCodeVenue, venue, 4));
      word && common::IsDataName(common::DataName::kWord, *word))
    course = *word;
  else
    course = std::string(venue);
  name = std::string(InfoOf(kind).folder) + "/" + std::string(Cut(race_key, 2, 6)) + course +
         std::string(Cut(race_key, 10, 2)) + "R.csv";
  return common::Status::OK();
}

std::string BetListText(BetKind kind, std::string_view race_key, const ResultsWindowState& state) {
  const BetListShape shape = ShapeOf(kind);
  const std::string head = std::string(Cut(race_key, 0, 8)) + "," + std::string(Cut(race_key, 8, 2)) + "," +
                           std::string(Cut(race_key, 10, 2)) + "," + std::string(InfoOf(kind).csv_code) + ",";
  auto line = [&head](std::string_view combination) { return head + std::string(combination) + ",100\r\n"; };

  const auto& tickets = shape.triples ? state.SanrentanKaime : state.UmatanKaime;
  const int32_t listed = std::min<int32_t>(shape.tickets, shape.triples ? state.TripleCount : state.PairCount);
  std::string text;
  for (size_t p = 1; p <= static_cast<size_t>(std::max<int32_t>(listed, 0)) && p < tickets.size(); ++p) {
    const std::string_view t = tickets[p];
    const std::string_view a = Cut(t, 0, 2), b = Cut(t, 2, 2), c = Cut(t, 4, 2);
    switch (kind) {
      case BetKind::kUmatan:
        text += line(std::string(a) + "-" + std::string(b));
        text += line(std::string(b) + "-" + std::string(a));
        break;
      case BetKind::kSanrenpuku:
        text += line(std::string(a) + "-" + std::string(b) + "-" + std::string(c));
        break;
      case BetKind::kSanrentan: {
        const std::string_view horses[3] = {a, b, c};
        for (const auto& order : kTrifectaOrders)
          text += line(std::string(horses[order[0]]) + "-" + std::string(horses[order[1]]) + "-" +
                       std::string(horses[order[2]]));
        break;
      }
      default:
        text += line(std::string(a) + "-" + std::string(b));
        break;
    }
  }
  return text;
}

}  // namespace radadovur::results
