#include "viewer/ticket_grids.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/convert.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/race_key.h"
#include "results/results_files.h"

namespace radadovur::viewer {
namespace {

namespace hr = jvdata::hr;

struct KindSpec {
  const char* grid_name;
  int rows;
  int columns;
  bool triple;
  std::vector<const char*> headings;
  std::vector<int> widths;  // twips of columns 0, 1, ...
  const char* sort_suffix;
  const char* odds_suffix;
};

const std::array<KindSpec, kTicketKinds>& Kinds() {
  static const std::array<KindSpec, kTicketKinds> kinds = {{
      {"UMARENGrid1", 154, 3, false, {"馬連", "買い目", "実オッズ"}, {1200}, "UMARENSORT.dat", "UMARENODDS.dat"},
      {"UMATANGrid2", 517, 4, false, {"馬単", "買い目", "正順オッズ", "逆順オッズ"}, {1200, 1500}, "UMATANSORT.dat",
       "UMATANODDS.dat"},
      {"SANRENGrid3", 817, 3, true, {"３連複", "買い目", "実オッズ"}, {1200}, "SANRENSORT.dat", "SANRENODDS.dat"},
      {"SANTANGrid4", 817, 8, true,
       {"３連単", "買い目", "第1順Odds", "第2順Odds", "第3順Odds", "第4順Odds", "第5順Odds", "第6順Odds"},
       {1200, 1500}, "SANRENTANSORT.dat", "SANRENTANODDS.dat"},
  }};
  return kinds;
}

constexpr int kSide = 19;  // horse numbers 0 to 18

// Tier labels and the note of column 0: six (pairs) or seven (triples) points a tier.
void WriteTierLabels(Grid& grid, bool triple) {
  const int per_tier = triple ? 7 : 6;
  for (int r = 1; r <= per_tier; ++r) {
    const std::string point = std::to_string(r) + " 点目";
    grid.Set(r, 0, "本線　" + point);
    grid.Set(r + per_tier, 0, "準本線 " + point);
    grid.Set(r + 2 * per_tier, 0, "伏兵　" + point);
  }
  const int note = 3 * per_tier + 1;
  const std::array<const char*, 4> lines = {"買い目として", "強く推奨でき", triple ? "るのは本線の" : "るには本線の",
                                            "みです。"};
  for (int k = 0; k < 4; ++k) grid.Set(note + k, 0, lines[static_cast<size_t>(k)]);
}

// The third item of every line: the ticket texts, best first.
std::vector<std::string> ReadTickets(const std::string& path, common::StepFailures& failures) {
  std::vector<std::string> tickets;
  std::string text;
  if (common::Status status = common::ReadFileOrEmpty(path, text); !status.ok()) {
    failures.Add(std::move(status));
    return tickets;
  }
  for (const std::string& line : common::SplitLines(text)) {
    common::CsvItemReader reader(line);
    std::string item;
    std::string ticket;
    for (int k = 1; k <= 3 && reader.Next(item); ++k)
      if (k == 3) ticket = item;
    tickets.push_back(ticket);
  }
  return tickets;
}

// The cells of a matrix file in line order; lines missing at the end read as 0.
std::vector<float> ReadMatrix(const std::string& path, size_t cells, common::StepFailures& failures) {
  std::vector<float> values(cells, 0.0f);
  std::string text;
  if (common::Status status = common::ReadFileOrEmpty(path, text); !status.ok()) {
    failures.Add(std::move(status));
    return values;
  }
  const std::vector<std::string> lines = common::SplitLines(text);
  for (size_t k = 0; k < cells && k < lines.size(); ++k) values[k] = static_cast<float>(common::TextValue(lines[k]));
  return values;
}

// The horse numbers of a ticket text, 2 characters each; nullopt when one is not 0 to 18.
std::optional<std::array<int, 3>> Horses(const std::string& ticket, int count) {
  if (ticket.size() != static_cast<size_t>(2 * count)) return std::nullopt;
  std::array<int, 3> h{};
  for (int k = 0; k < count; ++k) {
    const std::string group = ticket.substr(static_cast<size_t>(2 * k), 2);
    if (group.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    h[static_cast<size_t>(k)] = std::stoi(group);
    if (h[static_cast<size_t>(k)] >= kSide) return std::nullopt;
  }
  return h;
}

// Characters 2k+1 and 2k+2 of a ticket text (fewer at its end).
std::string Part(const std::string& t, size_t k) { return 2 * k < t.size() ? t.substr(2 * k, 2) : std::string(); }

// The payout combinations of one block, in record order.
std::vector<std::string> Combinations(std::string_view record, const jvdata::Field& field) {
  std::vector<std::string> out;
  for (uint32_t e = 0; e < field.count; ++e) out.emplace_back(field.Of(record, e));
  return out;
}

void Paint(Grid& grid, int r, std::initializer_list<int> columns, Colour colour) {
  for (int c : columns) grid.Paint(r, c, colour);
}

void FillKind(TicketKind kind, const std::string& app_path, std::string_view race_key, std::string_view payout,
              bool hits, std::vector<std::string>& list, size_t capacity, Grid& grid,
              results::ResultsWindowState& state, common::StepFailures& failures) {
  const KindSpec& spec = Kinds()[static_cast<size_t>(kind)];
  list.assign(capacity + 1, std::string());
  for (size_t c = 0; c < spec.headings.size(); ++c) grid.Set(0, static_cast<int>(c), spec.headings[c]);
  for (size_t c = 0; c < spec.widths.size(); ++c) grid.column_width[c] = spec.widths[c];
  WriteTierLabels(grid, spec.triple);

  // A key that names no file leaves the lists empty, and the odds without a name for them too.
  std::string sort_name, odds_name;
  if (results::RaceFileName("KAIME/", race_key, spec.sort_suffix, sort_name).ok() &&
      !results::RaceFileName("KAIME/", race_key, spec.odds_suffix, odds_name).ok())
    odds_name.clear();
  const std::vector<std::string> tickets = sort_name.empty() ? std::vector<std::string>() : ReadTickets(app_path + sort_name, failures);
  grid.Clear(1, spec.rows - 1, 1, spec.columns - 1);
  const size_t cells = spec.triple ? kSide * kSide * kSide : kSide * kSide;
  const std::vector<float> odds = odds_name.empty() ? std::vector<float>(cells) : ReadMatrix(app_path + odds_name, cells, failures);
  const auto P = [&](int a, int b) { return common::NumberText(odds[static_cast<size_t>(a * kSide + b)]); };
  const auto T = [&](int a, int b, int c) {
    return common::NumberText(odds[static_cast<size_t>(a * kSide * kSide + b * kSide + c)]);
  };

  const auto wide = Combinations(payout, hr::WidePayouts_Combination);
  const auto umaren = Combinations(payout, hr::UmarenPayouts_Combination);
  const auto umatan = Combinations(payout, hr::UmatanPayouts_Combination);
  const auto sanrenpuku = Combinations(payout, hr::SanrenpukuPayouts_Combination);
  const auto sanrentan = Combinations(payout, hr::SanrentanPayouts_Combination);
  const auto matches = [&](const std::vector<std::string>& block, const std::string& text) {
    return hits && std::find(block.begin(), block.end(), text) != block.end();
  };

  for (size_t line = 0; line < tickets.size(); ++line) {
    const std::string& t = tickets[line];
    if (line + 1 < list.size()) list[line + 1] = t;
    const int r = static_cast<int>(line) + 1;
    if (r >= spec.rows) continue;  // read on to the end; only the grid's rows are shown
    const auto h = Horses(t, spec.triple ? 3 : 2);
    const std::string a = Part(t, 0), b = Part(t, 1), c = Part(t, 2);
    switch (kind) {
      case kUmaren:
        grid.Set(r, 1, a + "-" + b);
        if (h) grid.Set(r, 2, P((*h)[0], (*h)[1]));
        // A ワイド hit, then a 馬連 hit over it.
        if (matches(wide, t)) Paint(grid, r, {1, 2}, Colour::kLightYellow);
        if (matches(umaren, t)) Paint(grid, r, {1, 2}, Colour::kLightGreen);
        break;
      case kUmatan:
        grid.Set(r, 1, a + "→" + b);
        if (h) {
          grid.Set(r, 2, P((*h)[0], (*h)[1]));
          grid.Set(r, 3, P((*h)[1], (*h)[0]));
        }
        for (const auto& u : umatan) {
          if (!hits) break;
          if (u == t) {
            Paint(grid, r, {1, 2}, Colour::kLightGreen);
            grid.Set(r, 1, "　　正順　　" + a + "→" + b);
          }
          if (u == b + a) {
            Paint(grid, r, {1, 3}, Colour::kLightMagenta);
            grid.Set(r, 1, "　　逆順　　" + a + "→" + b);
          }
        }
        break;
      case kSanren:
        grid.Set(r, 1, a + "-" + b + "-" + c);
        if (h) grid.Set(r, 2, T((*h)[0], (*h)[1], (*h)[2]));
        if (matches(sanrenpuku, t)) Paint(grid, r, {1, 2}, Colour::kLightGreen);
        break;
      case kSantan: {
        state.TrioHorseA = a;
        state.TrioHorseB = b;
        state.TrioHorseC = c;
        grid.Set(r, 1, a + "→" + b + "→" + c);
        // The six orders: ABC, ACB, BAC, BCA, CAB, CBA.
        static constexpr std::array<std::array<int, 3>, 6> kOrders = {
            {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
        const std::array<std::string, 3> abc = {a, b, c};
        for (int j = 0; j < 6; ++j) {
          const auto& o = kOrders[static_cast<size_t>(j)];
          if (h) grid.Set(r, j + 2, T((*h)[o[0]], (*h)[o[1]], (*h)[o[2]]));
          const std::string ordered = abc[o[0]] + abc[o[1]] + abc[o[2]];
          for (const auto& s : sanrentan) {
            if (!hits || s != ordered) continue;
            const Colour colour = j == 0 ? Colour::kLightGreen : Colour::kLightMagenta;
            Paint(grid, r, {1, j + 2}, colour);
            grid.Set(r, 1, " 第" + std::to_string(j + 1) + "順" + a + "→" + b + "→" + c);
          }
        }
        break;
      }
    }
  }
  // The lists keep their capacity and no tickets once the grid stands.
  for (auto& entry : list) entry.clear();
}

}  // namespace

TicketGrids::TicketGrids()
    : grids{Grid(Kinds()[0].grid_name, Kinds()[0].rows, Kinds()[0].columns),
            Grid(Kinds()[1].grid_name, Kinds()[1].rows, Kinds()[1].columns),
            Grid(Kinds()[2].grid_name, Kinds()[2].rows, Kinds()[2].columns),
            Grid(Kinds()[3].grid_name, Kinds()[3].rows, Kinds()[3].columns)} {}

int TicketRows(TicketKind kind) { return Kinds()[static_cast<size_t>(kind)].rows - 1; }

common::StepFailures FillTicketGrids(const std::string& app_path, std::string_view race_key,
                                     std::string_view payout_record, int field_size, TicketGrids& grids,
                                     results::ResultsWindowState& state) {
  common::StepFailures failures;
  const bool hits = payout_record.size() == hr::kLength && jvdata::RaceKey(payout_record) == race_key;
  const auto n = static_cast<size_t>(std::max(field_size, 0));
  const size_t pairs = n * (n > 0 ? n - 1 : 0) / 2;
  const size_t triples = n * (n > 0 ? n - 1 : 0) * (n > 1 ? n - 2 : 0) / 6;
  FillKind(kUmaren, app_path, race_key, payout_record, hits, state.UmarenKaime, pairs, grids.grids[kUmaren], state,
           failures);
  FillKind(kUmatan, app_path, race_key, payout_record, hits, state.UmatanKaime, pairs, grids.grids[kUmatan], state,
           failures);
  FillKind(kSanren, app_path, race_key, payout_record, hits, state.SanrenpukuKaime, triples, grids.grids[kSanren],
           state, failures);
  FillKind(kSantan, app_path, race_key, payout_record, hits, state.SanrentanKaime, triples, grids.grids[kSantan],
           state, failures);
  return failures;
}

}  // namespace radadovur::viewer
