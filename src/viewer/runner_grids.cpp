#include "viewer/runner_grids.h"

#include <algorithm>
#include <optional>

#include "common/convert.h"
#include "common/cp932.h"
#include "results/runner_figures.h"
#include "results/runner_record.h"
#include "viewer/runner_texts.h"

namespace radadovur::viewer {
namespace {

namespace rr = results::rr;
using common::ThreeDecimals;
using results::SpeedToTimeText;

constexpr std::array<const char*, kDetail1Columns> kDetail1Headings = {
    "",           "入線",           "予想順位",       "単勝人気",       "予想人気",
    "単勝オッズ", "馬名",           "信頼度",         "実タイム",       "実上3Fタイム",
    "合成タイム", "予上3Fタイム",   "予ペ-スタイム",  "騎手",           "騎手上がり時速",
    "騎手ペース時速", "父馬",       "父馬上がり時速", "父馬ペース時速", "調教師",
    "調教師上がり時速", "調教師ペース時速", "母父馬", "母父馬上がり時速", "母父馬ペース時速"};
constexpr std::array<int, kDetail1Columns> kDetail1Widths = {
    kDesignSize, 500,  500,  500,  500,  1700, 2500, 1000, 1000, 1000, 1000, 1000,       1000,
    1000,        1000, 1700, 1000, 1000, 1000, 1000, 1000, 1700, 1000, kDesignSize, kDesignSize};
constexpr std::array<const char*, 11> kDetail2Headings = {
    "", "入線", "予想順位", "単勝人気", "人気-予想", "馬名", "推定時速", "推定タイム", "合成タイム",
    "実-合成(時速）", "残差平均（時速）"};

// Run-array texts of a runner record, decoded; a field nobody wrote reads as blanks.
std::string Text(std::string_view record, const jvdata::Field& field, uint32_t run = 0) {
  return common::DisplayText(rr::Text(record, field, run));
}

std::string RaceKeyOf(std::string_view record) {
  return Text(record, rr::Year) + Text(record, rr::MonthDay) + Text(record, rr::VenueCode) + Text(record, rr::RaceNum);
}

// Five steps of colour for ranks and popularity, three for arrival.
Colour RankScale(std::string_view text) {
  if (text == "01") return Colour::kLightYellow;
  if (text == "02") return Colour::kLightCyan;
  if (text == "03") return Colour::kLightGreen;
  if (text == "04") return Colour::kLightBlue;
  if (text == "05") return Colour::kLightMagenta;
  return Colour::kWhite;
}
Colour ArrivalScale(std::string_view text) {
  if (text == "01") return Colour::kLightYellow;
  if (text == "02") return Colour::kLightCyan;
  if (text == "03") return Colour::kLightGreen;
  return Colour::kWhite;
}

// Popularity minus predicted rank: 4 or more light yellow, -7 or less light red.
Colour DifferenceColour(const std::string& text) {
  const auto v = common::WholeNumber(text);
  if (!v) return Colour::kWhite;
  if (*v >= 4) return Colour::kLightYellow;
  if (*v <= -7) return Colour::kLightRed;
  return Colour::kWhite;
}

// The residual of a run is coloured by its track when it ran at a JRA racecourse.
Colour ResidualColour(std::string_view venue, std::string_view track) {
  if (venue < "01" || venue > "10") return Colour::kWhite;
  if (track >= "00" && track <= "22") return Colour::kLightGreen;
  if (track >= "23" && track <= "29") return Colour::kLightYellow;
  if (track >= "30" && track <= "59") return Colour::kLightCyan;
  return Colour::kWhite;
}

std::string OrEmpty(const std::optional<std::string>& text) { return text.value_or(std::string()); }

}  // namespace

Grid MakeDetail1Grid() { return Grid("RACEDETAILGrid1", kRunnerRows, kDetail1Columns); }
Grid MakeDetail2Grid() { return Grid("RACEDETAILGrid2", kRunnerRows, kDetail2Columns); }

void PrepareRunnerGrids(std::string_view race_key, Grid& detail1, Grid& detail2) {
  detail1.row0_height = 500;
  for (int c = 0; c < kDetail1Columns; ++c) detail1.column_width[static_cast<size_t>(c)] = kDetail1Widths[static_cast<size_t>(c)];
  detail1.Clear(1, kRunnerRows - 1, 0, kDetail1Columns - 1);
  detail2.Clear(1, kRunnerRows - 1, 0, kDetail2Columns - 1);
  detail1.Set(0, 0, std::string(race_key));
}

std::string HorseNameCell(std::string_view record) {
  return common::Utf8Left(Text(record, rr::HorseName), 18) + Text(record, rr::KettoNum) + "EX.dat";
}

void ShowRunner(int k, std::string_view r, const std::string& pred_rank, const std::array<std::string, 5>& marks,
                Grid& g1, Grid& g2) {
  const std::string key = RaceKeyOf(r);
  const std::string arrival = Text(r, rr::ArrivalOrder);
  const std::string popularity = Text(r, rr::WinPopularity);
  const std::string kyori = Text(r, rr::Kyori);
  const auto rank = common::WholeNumber(pred_rank);
  const std::string rank_text = rank ? TwoDigits(*rank) : std::string();
  const std::string difference =
      rank ? common::NumberText(common::TextValue(popularity) - static_cast<double>(*rank)) : std::string();
  const std::string name_cell = HorseNameCell(r);
  const std::string waku_umaban = Text(r, rr::Wakuban) + "    " + Text(r, rr::Umaban);
  const float speed = rr::Real(r, rr::RunSpeedResults, 6);
  const float adjust = rr::Real(r, rr::SpeedAdjust, 0);

  // RACEDETAILGrid1.
  g1.Set(0, 0, key);
  for (int c = 1; c < kDetail1Columns; ++c) g1.Set(0, c, kDetail1Headings[static_cast<size_t>(c)]);
  g1.Set(k, 0, waku_umaban);
  g1.Set(k, 1, arrival);
  g1.Set(k, 2, rank_text);
  g1.Set(k, 3, popularity);
  g1.Set(k, 4, difference);
  g1.Set(k, 5, common::NumberText(common::TextValue(Text(r, rr::WinOdds)) * 0.1));
  g1.Set(k, 6, name_cell);
  g1.Set(k, 7, "騎" + marks[0] + "・調" + marks[1] + "・父父" + marks[2] + "・母父" + marks[3] + "・生" + marks[4]);
  const std::string run_time = rr::Text(r, rr::RunTime);
  g1.Set(k, 8, run_time.substr(0, 1) + "." + run_time.substr(1, 2) + "." + run_time.substr(3, 1) + "0");
  if (const auto last3f = common::WholeNumber(Text(r, rr::Last3F)))
    g1.Set(k, 9, common::NumberText(static_cast<double>(*last3f) * 0.1));
  g1.Set(k, 10, OrEmpty(SpeedToTimeText(speed, kyori)));
  g1.Set(k, 11, OrEmpty(LastFurlongsTimeText(rr::Real(r, rr::RunSpeedResults, 3))));
  if (const auto metres = common::WholeNumber(kyori))
    g1.Set(k, 12, OrEmpty(SpeedToTimeText(rr::Real(r, rr::RunSpeedResults, 4), std::to_string(*metres - 600))));
  g1.Set(k, 13, Text(r, rr::KishuName));
  g1.Set(k, 14, ThreeDecimals(rr::Real(r, rr::RunAgariFW, 6)));
  g1.Set(k, 15, ThreeDecimals(rr::Real(r, rr::RunPaceFW, 6)));
  g1.Set(k, 16, Text(r, rr::SireName));
  g1.Set(k, 17, ThreeDecimals(rr::Real(r, rr::RunAgariFW, 23)));
  g1.Set(k, 18, ThreeDecimals(rr::Real(r, rr::RunPaceFW, 23)));
  g1.Set(k, 19, Text(r, rr::TrainerName));
  g1.Set(k, 20, ThreeDecimals(rr::Real(r, rr::RunAgariFW, 19)));
  g1.Set(k, 21, ThreeDecimals(rr::Real(r, rr::RunPaceFW, 19)));
  g1.Set(k, 22, Text(r, rr::DamSireName));
  g1.Set(k, 23, ThreeDecimals(rr::Real(r, rr::RunAgariFW, 21)));
  g1.Set(k, 24, ThreeDecimals(rr::Real(r, rr::RunPaceFW, 21)));
  g1.Paint(k, 4, DifferenceColour(difference));
  g1.Paint(k, 1, ArrivalScale(arrival));
  g1.Paint(k, 2, RankScale(rank_text));
  g1.Paint(k, 3, RankScale(popularity));

  // RACEDETAILGrid2.
  g2.row0_height = 500;
  for (int c = 1; c < kDetail2Columns; ++c) g2.column_width[static_cast<size_t>(c)] = c <= 3 ? 500 : c == 4 ? 1000 : c == 5 ? 1700 : 1000;
  g2.Set(0, 0, key);
  for (int c = 1; c <= 10; ++c) g2.Set(0, c, kDetail2Headings[static_cast<size_t>(c)]);
  for (uint32_t j = 0; j < rr::kRuns; ++j) g2.Set(0, 11 + static_cast<int>(j), "前" + std::to_string(j) + "残差");
  g2.Set(k, 0, waku_umaban);
  g2.Set(k, 1, arrival);
  g2.Set(k, 2, rank_text);
  g2.Set(k, 3, popularity);
  g2.Set(k, 4, popularity == "--" || popularity == "**" ? popularity : difference);
  g2.Set(k, 5, name_cell);
  const auto predicted = static_cast<float>(adjust + speed);
  g2.Set(k, 6, ThreeDecimals(predicted));
  g2.Set(k, 7, OrEmpty(SpeedToTimeText(predicted, kyori)));
  g2.Set(k, 8, OrEmpty(SpeedToTimeText(speed, kyori)));
  g2.Paint(k, 1, ArrivalScale(arrival));
  g2.Paint(k, 2, RankScale(rank_text));
  g2.Paint(k, 3, RankScale(popularity));
  // Each value under its own heading: this race's residual, the adjustment, run j's residual.
  g2.Set(k, 9, ThreeDecimals(rr::Real(r, rr::RunSpeedResults, 7, 0)));
  g2.Set(k, 10, ThreeDecimals(adjust));
  for (uint32_t j = 0; j < rr::kRuns; ++j) {
    const int c = 11 + static_cast<int>(j);
    g2.Set(k, c, ThreeDecimals(rr::Real(r, rr::RunSpeedResults, 7, j)));
    g2.Paint(k, c, ResidualColour(rr::Text(r, rr::VenueCode, j), rr::Text(r, rr::TrackCode, j)));
  }
}

}  // namespace radadovur::viewer
