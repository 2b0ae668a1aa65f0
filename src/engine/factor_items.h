#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/layout_ex.h"

// The 30 factor items of the weight model in model-file order: identifier and label (as the
// past-runs window shows it). How wide each item's code is, the expanded record's layout says.
namespace radadovur::engine {

using ex::kFactorItems;

struct FactorItem {
  std::string_view id;
  std::string_view label;
};

// Index 0 is unused so that item i is kFactorItemTable[i].
inline constexpr std::array<FactorItem, kFactorItems + 1> kFactorItemTable = {{
    {"", ""},
    {"YearFactor", "年度"},
    {"KijunSpeedFactor", "開催場所距離"},
    {"ZensoKyoriCornerFactor", "前走走行情報"},
    {"FutanjuryouFactor", "負担重量"},
    {"RuikeiHonshokinFactor", "本賞金"},
    {"KyosokigoFactor", "馬競走記号"},
    {"KishuFukushoFactor", "騎手の複勝率"},
    {"KyosobaFukushorituFactor", "競走馬の複勝率"},
    {"RaceSuuFactor", "経験レース数"},
    {"FutanJuuryorituFactor", "性別馬体重斤量％"},
    {"BataijuuFactor", "馬体重"},
    {"BareiFactor", "月齢"},
    {"KishuArningFactor", "騎手アーニング"},
    {"RaceKankakuFactor", "競走間隔"},
    {"ZenzenOzzFactor", "推定支持率（前前走）"},
    {"TenkoBabaFactor", "天候馬場状態"},
    {"ChoArningFactor", "調教師アーニング"},
    {"KishuNenreiFactor", "騎手年齢見習い"},
    {"TrainerFactor", "調教師の複勝率"},
    {"FatherArningFactor", "種牡馬アーニング"},
    {"RaceNoFactor", "第何R"},
    {"ZenzensoChakusaFactor", "タイム着差（前前走）"},
    {"FatherFukushorituFactor", "種牡馬距離複勝率"},
    {"UmabanFactor", "馬番"},
    {"UmakigoTukiFactor", "生れ月"},
    {"ZensoTimediffFactor", "前走タイム差"},
    {"NichijiFactor", "日次"},
    {"ShussoTosuFactor", "登録数"},
    {"LapFactor", "前後ラップ比"},
    {"BanusiArningFactor", "馬主アーニング"},
}};

// The width of item i's code in an expanded record.
constexpr int FactorCodeWidth(int item) { return static_cast<int>(ex::kFactorCode[static_cast<size_t>(item)].width); }

// Offset of item i's code within the factor-code block.
constexpr int FactorCodeOffset(int item) {
  return static_cast<int>(ex::kFactorCode[static_cast<size_t>(item)].offset - ex::FactorCode1.offset);
}

}  // namespace radadovur::engine
