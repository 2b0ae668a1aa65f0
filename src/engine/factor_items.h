#pragma once
#include <array>
#include <string_view>

// The 30 factor items of the weight model in model-file order: identifier, label (as the
// past-runs window shows it) and the width of the item's code in an expanded record.
namespace radadovur::engine {

inline constexpr int kFactorItems = 30;

struct FactorItem {
  std::string_view id;
  std::string_view label;
  int width;
};

// Index 0 is unused so that item i is kFactorItemTable[i].
inline constexpr std::array<FactorItem, kFactorItems + 1> kFactorItemTable = {{
    {"", "", 0},
    {"YearFactor", "年度", 9},
    {"KijunSpeedFactor", "開催場所距離", 11},
    {"ZensoKyoriCornerFactor", "前走走行情報", 9},
    {"FutanjuryouFactor", "負担重量", 4},
    {"RuikeiHonshokinFactor", "本賞金", 5},
    {"KyosokigoFactor", "馬競走記号", 6},
    {"KishuFukushoFactor", "騎手の複勝率", 5},
    {"KyosobaFukushorituFactor", "競走馬の複勝率", 4},
    {"RaceSuuFactor", "経験レース数", 3},
    {"FutanJuuryorituFactor", "性別馬体重斤量％", 3},
    {"BataijuuFactor", "馬体重", 4},
    {"BareiFactor", "月齢", 3},
    {"KishuArningFactor", "騎手アーニング", 6},
    {"RaceKankakuFactor", "競走間隔", 6},
    {"ZenzenOzzFactor", "推定支持率（前前走）", 6},
    {"TenkoBabaFactor", "天候馬場状態", 4},
    {"ChoArningFactor", "調教師アーニング", 4},
    {"KishuNenreiFactor", "騎手年齢見習い", 6},
    {"TrainerFactor", "調教師の複勝率", 5},
    {"FatherArningFactor", "種牡馬アーニング", 10},
    {"RaceNoFactor", "第何R", 10},
    {"ZenzensoChakusaFactor", "タイム着差（前前走）", 5},
    {"FatherFukushorituFactor", "種牡馬距離複勝率", 10},
    {"UmabanFactor", "馬番", 6},
    {"UmakigoTukiFactor", "生れ月", 4},
    {"ZensoTimediffFactor", "前走タイム差", 4},
    {"NichijiFactor", "日次", 8},
    {"ShussoTosuFactor", "登録数", 6},
    {"LapFactor", "前後ラップ比", 6},
    {"BanusiArningFactor", "馬主アーニング", 4},
}};

// The factor codes stand back to back in this many characters.
inline constexpr int FactorBlockWidth() {
  int total = 0;
  for (int i = 1; i <= kFactorItems; ++i) total += kFactorItemTable[i].width;
  return total;
}
static_assert(FactorBlockWidth() == 176, "the 30 factor codes fill 176 characters");

// Offset of item i's code within the factor-code block.
inline constexpr int FactorCodeOffset(int item) {
  int at = 0;
  for (int i = 1; i < item; ++i) at += kFactorItemTable[i].width;
  return at;
}

}  // namespace radadovur::engine
