#include "history/day_detail.h"

#include "common/convert.h"
#include "common/cp932.h"
#include "common/day_files.h"
#include "history/items.h"
#include "history/meeting_day_search.h"

namespace radadovur::history {
namespace {

std::string Item(ItemStream& stream) { return common::DisplayText(stream.NextOr()); }

// The value of a cell: the decimal number at the start of its text, 0 for an empty text.
double Value(const Grid& grid, int row, int column) { return common::TextValue(grid.Text(row, column)); }

// Reads `count` items into row `row`, columns `first`.. of the grid (a row outside the grid
// drops them).
void ReadRow(ItemStream& stream, Grid& grid, int row, int first, int count) {
  for (int c = first; c < first + count; ++c) grid.Put(row, c, Item(stream));
}

void ColourAbove(Grid& grid, int row, int column, double threshold, uint32_t fore) {
  GridCell& cell = grid.At(row, column);
  cell.fore = Value(grid, row, column) > threshold ? std::optional<uint32_t>(fore) : std::nullopt;
}

// A two-digit number text: the last two digits of 100 plus the number; empty when not a number.
std::string TwoDigits(std::string_view text) {
  const auto value = common::WholeNumber(text);
  if (!value || *value < 0) return std::string();
  const std::string hundred = std::to_string(100 + *value);
  return hundred.substr(hundred.size() - 2);
}

std::optional<uint32_t> RankColour(std::string_view two) {
  if (two == "01") return kLightYellow;
  if (two == "02") return kLightCyan;
  if (two == "03") return kLightGreen;
  if (two == "04") return kLightBlue;
  if (two == "05") return kLightMagenta;
  return kBrightWhite;
}

std::string DayFile(const std::string& app_path, std::string_view key, std::string_view name) {
  // A list item that ends in no meeting-day key names no file: an empty path opens nothing.
  std::string path;
  return common::DayFilePath(app_path, kTekichuFolder, key, name, path).ok() ? path : std::string();
}

void LoadTierHits(const std::string& path, Grid& grid) {
  ItemStream table = ItemStream::Open(path);
  // The day table: row 1 the title, then rows of eight up to the end (50 rows at most).
  ReadRow(table, grid, 0, 0, 6);
  for (int row = 1; row < grid.rows && !table.AtEnd(); ++row) ReadRow(table, grid, row, 0, 8);
  grid.SetWidth(2, 1100);
  grid.SetWidth(4, 1200);
  for (int n = 1; n <= kRaceTabs; ++n)
    for (int c = 1; c <= 7; ++c) {
      const std::string& cell = grid.Text(4 * n + 1, c);
      const size_t blank = cell.substr(0, 10).find(' ');
      const auto points = common::WholeNumber(cell.substr(0, blank));
      grid.At(4 * n - 2, c).back = TierColour(c, points.value_or(0));
    }
}

void LoadTierRates(const std::string& path, Grid& grid) {
  ItemStream table = ItemStream::Open(path);
  ReadRow(table, grid, 0, 0, 6);
  for (int row = 1; row <= 8; ++row) ReadRow(table, grid, row, 0, 7);
  for (int row = 3; row <= 8; ++row) {
    for (int c = 4; c <= 6; ++c) ColourAbove(grid, row, c, 30, kBlue);
    for (int c = 1; c <= 3; ++c) ColourAbove(grid, row, c, 100, kLightRed);
  }
}

void StrategyWidths(Grid& grid) {
  for (int c = 1; c <= 7; ++c) grid.SetWidth(c, 600);
  for (int c = 9; c <= 11; ++c) grid.SetWidth(c, 950);
}

void LoadStrategyHits(const std::string& path, Grid& grid) {
  ItemStream table = ItemStream::Open(path);
  StrategyWidths(grid);
  ReadRow(table, grid, 0, 0, 6);
  for (int row = 1; row <= 38; ++row) ReadRow(table, grid, row, 0, 12);
  for (int n = 1; n <= kRaceTabs; ++n)
    for (int c = 1; c <= 11; ++c) {
      const double payout = Value(grid, 3 * n + 1, c);
      for (int row = 3 * n - 1; row <= 3 * n + 1; ++row)
        grid.At(row, c).back = payout > 0 ? std::optional<uint32_t>(kLightYellow) : std::nullopt;
      grid.At(3 * n + 1, c).fore = payout > 10000 ? std::optional<uint32_t>(kLightRed) : std::nullopt;
    }
}

void LoadStrategyRates(const std::string& path, Grid& grid) {
  ItemStream table = ItemStream::Open(path);
  StrategyWidths(grid);
  table.Skip(6);
  for (int row = 0; row <= 6; ++row) ReadRow(table, grid, row, 0, 12);
  for (int c = 1; c <= 11; ++c) {
    ColourAbove(grid, 3, c, 30, kBlue);
    ColourAbove(grid, 6, c, 100, kLightRed);
  }
}

Grid EmptyHitGrid() {
  Grid grid(8, 4, 1, 1);
  grid.SetWidth(1, 1700);
  grid.SetWidth(2, 1700);
  const char* const rows[] = {"券種", "馬連", "ワイド1", "ワイド2", "ワイド3", "馬単", "３連複", "３連単"};
  for (int r = 0; r < 8; ++r) grid.Put(r, 0, rows[r]);
  grid.Put(0, 1, "的中順位");
  grid.Put(0, 2, "当たり目");
  grid.Put(0, 3, "配当（円）");
  return grid;
}

Grid EmptyRunnerGrid() {
  Grid grid(19, 14, 1, 1);
  const char* const headings[] = {"枠・馬番", "予想順位", "単勝人気", "入線順位", "性別",     "馬齢",     "馬名",
                                  "ハンデKg", "騎手名",   "調教師名", "推定タイム", "実タイム", "推定上3F", "実上3F"};
  for (int c = 0; c < 14; ++c) {
    grid.Put(0, c, headings[c]);
    grid.SetWidth(c, c == 6 ? 1700 : c <= 7 ? 500 : 1000);
  }
  for (int r = 1; r < 19; ++r)
    for (int c = 0; c < 14; ++c) grid.At(r, c).back = kBrightWhite;
  return grid;
}

void LoadRaceHeaders(const std::string& path, std::string_view title, DayDetail& view) {
  ItemStream doc = ItemStream::Open(path);
  std::string_view item;
  for (int i = 0; i < kRaceTabs; ++i) {
    std::string& header = view.Text2[static_cast<size_t>(i)];
    bool found = false;
    while (doc.Next(item))
      if (item == "RC") {
        found = true;
        break;
      }
    header = std::string(title);
    if (!found) continue;
    doc.Skip(2);
    const std::string number = Item(doc);
    if (number.empty()) continue;
    header += number + "R ";
    for (int k = 5; k <= 9; ++k) header += Item(doc);
    header += Item(doc) + "m ";
    header += " SD=" + Item(doc) + " ";
    header += Item(doc);
  }
}

// The runner lines of each race into its grid, the race being the one whose "RR" came last.
void LoadRunners(const std::string& path, DayDetail& view) {
  ItemStream doc = ItemStream::Open(path);
  std::string_view item;
  int race = 0;
  while (doc.Next(item)) {
    if (item == "RR") ++race;
    if (item != "HS") continue;
    std::array<std::string, 18> line;  // items 2..17 at their item numbers
    for (int k = 2; k <= 17; ++k) line[static_cast<size_t>(k)] = Item(doc);
    const auto row = common::WholeNumber(line[2]);
    if (race < 1 || race > kRaceTabs || line[2].empty() || !row || *row < 1 || *row > 18) continue;
    Grid& grid = view.RACEFG[static_cast<size_t>(race - 1)];
    const int r = static_cast<int>(*row);
    const std::string horse = TwoDigits(line[4]);
    grid.Put(r, 0, line[3] + "  " + horse);
    for (int c = 1; c <= 3; ++c) {
      const std::string two = TwoDigits(line[static_cast<size_t>(c + 4)]);
      grid.Put(r, c, two);
      grid.At(r, c).back = RankColour(two);
    }
    for (int c = 4; c <= 13; ++c) grid.Put(r, c, line[static_cast<size_t>(c + 4)]);
  }
}

void LoadHits(const std::string& path, DayDetail& view) {
  ItemStream doc = ItemStream::Open(path);
  std::string_view item;
  int race = 0;
  while (doc.Next(item)) {
    if (item == "RR") ++race;
    if (item != "AT") continue;
    std::array<std::string, 7> line;
    for (int k = 2; k <= 6; ++k) line[static_cast<size_t>(k)] = Item(doc);
    const auto code = common::WholeNumber(line[3]);
    if (race < 1 || race > kRaceTabs || line[2].empty() || !code || *code < 1 || *code > 7) continue;
    Grid& grid = view.TKFG[static_cast<size_t>(race - 1)];
    for (int c = 1; c <= 3; ++c) grid.Put(static_cast<int>(*code), c, line[static_cast<size_t>(c + 3)]);
  }
}

}  // namespace

std::string_view RatesExplanation() {
  return "回収率・的中率は一場の全レース（通常12レース）を計算対象としています。馬連・ "
         "馬単表（正順）・馬単裏（逆順）・ワイドは本線・準本線・伏兵ともに6点均等買い、3連複は7点均等買い、3連単は42点(7点ｘ6順）"
         "均等買いを想定して回収率を求めています。的中率は通常一日一場の全12レースを分母として計算しています。例えば4レース的中して"
         "いれば4/12で的中率は 33.3％となります。なお、ワイドの的中率は一レースにつき最大3点を計数しますので、的中率が100％を超える"
         "事が有りますのでご注意下さい。なお、2008年2月9日と11日の京都2回3日は続行競馬となりましたので計算が不成立となり正確な値で"
         "はありません。また、1日12レースでない日は計算が少し正しくない場合があります。";
}

std::string RaceTabCaption(int tab) { return std::to_string(tab) + "　R"; }

uint32_t TierColour(int column, long long points) {
  // The size of one tier per column: 馬連 and the ワイド columns 6, 馬単 12, 3連複 7, 3連単 42.
  const long long tier = column == 2 ? 12 : column == 3 ? 7 : column == 4 ? 42 : 6;
  if (points < 1 || points > 3 * tier) return kBrightWhite;
  const uint32_t colours[] = {kLightYellow, kLightCyan, kLightRed};
  return colours[(points - 1) / tier];
}

DayDetail LoadDayDetail(const std::string& app_path, std::string_view list_item) {
  DayDetail view;
  const std::string key(list_item.size() >= 14 ? list_item.substr(list_item.size() - 14) : list_item);
  const std::string title = common::Utf8Left(list_item, 20);
  LoadTierHits(DayFile(app_path, key, "tekichu.txt"), view.KakoSeiFG);
  LoadTierRates(DayFile(app_path, key, "kaiteki.txt"), view.TekiKaiFG);
  view.Text1 = std::string(RatesExplanation());
  LoadStrategyHits(DayFile(app_path, key, "tekichuPC.txt"), view.TanFukuFG);
  LoadStrategyRates(DayFile(app_path, key, "kaitekiPC.txt"), view.TFTekiKaiFG);
  for (int i = 0; i < kRaceTabs; ++i) {
    view.TKFG[static_cast<size_t>(i)] = EmptyHitGrid();
    view.RACEFG[static_cast<size_t>(i)] = EmptyRunnerGrid();
  }
  const std::string lup = DayFile(app_path, key, "lupRCM.txt");
  LoadRaceHeaders(lup, title, view);
  LoadRunners(lup, view);
  LoadHits(lup, view);
  return view;
}

}  // namespace radadovur::history
