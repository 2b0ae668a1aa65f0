#include "factors/factor_windows.h"

namespace radadovur::factors {
namespace {

// The two texts that most items share.
#define kAbilityText "数値の単位は時速(Km/hr)です。基本的な理解としては数値が大きいほど、能力、技量が高いと考えて下さい。"
#define kInfluenceText "縦軸の単位は時速(Km/hr)です。基本的な理解としては数値が大きいほど影響度が強いと考えて下さい。"
#define kAgeText kInfluenceText "なお、単位は月齢です。27は満2歳3ヶ月を意味します。43以上は3ヶ月を単位としています。"

constexpr TextIn kAllWindows = TextIn::kAllWindows;
constexpr TextIn kTurfAndDirt = TextIn::kTurfAndDirt;
constexpr TextIn kNoWindow = TextIn::kNoWindow;
constexpr std::string_view kAgeChartTab = kAgeText;

// Per item: tab captions, grids, explanation boxes (turf, dirt, hurdle), which windows write a
// text, the dirt and hurdle text where it differs, the text.
const std::array<ItemTab, kFactorItems + 1> kItemTabs = {{
    {},
    {{"F1 開催年", "F1 開催年", "F1 開催年度"}, {"YearTurfFG", "YearDirtFG", "YearHurdFG"}, {"Text11", "Text11", "Text1"}, kAllWindows, {},
     "数値の単位は時速(Km/hr)です。所謂定数です。時速55Kmから58Km辺りの数字を示します。"},
    {{"F2 場所TC距離仮柵回次", "F2 場所TC距離回次", "F2 場所距離TC"}, {"KijunSpeedFG", "KijunSpeedDFG", "KijunSpeedHFG"}, {"Text5", "Text5", "Text6"}, kAllWindows, kInfluenceText "なお、中山ダート1200ｍが非常に特異なコースである事が分かると思います。",
     kInfluenceText "なお、X軸は馬番です。新潟直線1000ｍについてはトラックコードの代わりに馬番を使用しています。"},
    {{"F3 前走距離長短・格", "F3 前走距離長短・格", "F3 前走距離乖離・格"}, {"ZensoKyoriCornerTurfFG", "ZensoKyoriCornerDirtFG", "ZensoKyoriCornerHurdFG"}, {"Text28", "Text28", "Text7"}, kTurfAndDirt, {},
     "数値の単位は時速(Km/hr)です。"},
    {{"F4 負担重量", "F4 負担重量", "F4　負担重量"}, {"FutanjuryouTurfFG", "FutanjuryouDirtFG", "FutanjuryouHurdFG"}, {"Text13", "Text13", "Text11"}, kAllWindows, {},
     kInfluenceText "なお、X軸はハンデキャップ(kg)です。"},
    {{"F5 累計本賞金", "F5 累計本賞金", "F5 本賞金"}, {"RuikeiHonshokinTurfFG", "RuikeiHonshokinDirtFG", "RuikeiHonshokinHurdFG"}, {"Text12", "Text12", "Text3"}, kAllWindows, {},
     kInfluenceText "X軸は平均本賞金の対数(常用対数）です。なお、00は初出走から連続2回勝てなかった馬、03は3回、04は4回、05は5回連続で本賞金が無かった馬となります。"},
    {{"F6 馬競走記号", "F6 馬競走記号", "F6　馬競走記号"}, {"KyosokigoTurfFG", "KyosokigoDirtFG", "KyosokigoHurdFG"}, {"Text1", "Text1", "Text12"}, kAllWindows, {},
     kAbilityText},
    {{"F7 騎手複勝率", "F7 騎手複勝率", "F7　騎手複勝率"}, {"KishuFukushoTurfFG", "KishuFukushoDirtFG", "KishuFukushoHurdFG"}, {"Text24", "Text24", "Text13"}, kAllWindows, {},
     kInfluenceText "全体としては前走のコーナー順位を表します。一桁目は3コーナー先行したか後方に控えたかを表し、2桁目は4コーナー（最終）を先行したか後方にいたかを表します。3桁目は入線順位が上位か中位か下位かを表します。"},
    {{"F8 競走馬複勝率", "F8 競走馬複勝率", "F8 競走馬複勝率"}, {"KyosobaFukushorituTurfFG", "KyosobaFukushorituDirtFG", "KyosobaFukushorituHurdFG"}, {"Text2", "Text2", "Text2"}, kAllWindows, {},
     kInfluenceText "なお、雨が重複していますが、右端の雨は小雨を意味します。また雪なども有りますが例数が少ないため省略しました。"},
    {{"F9 経験レース数", "F9 経験レース数", "F9 経験レース数"}, {"RaceSuuTurfFG", "RaceSuuDirtFG", "RaceSuuHurdFG"}, {"Text15", "Text15", "Text14"}, kAllWindows, {},
     kInfluenceText "X軸はレース経験数（累積レース数）です。"},
    {{"F10 負担重量％", "F10 負担重量%", "F10 負担重量％"}, {"FutanJuuryorituTurfFG", "FutanjuuryorituDirtFG", "FutanjuuryorituHurdFG"}, {"Text14", "Text14", "Text15"}, kAllWindows, {},
     kInfluenceText "なお、X軸は馬体重と負担重量の合計に対して負担重量の占める割合(%)です。"},
    {{"F11 馬体重", "F11 馬体重", "F11 馬体重"}, {"BataijuuTurfFG", "BataijuuDirtFG", "BataijuuHurdFG"}, {"Text29", "Text29", "Text17"}, kTurfAndDirt, {},
     kInfluenceText},
    {{"F12 馬齢（月齢）", "F12 馬齢(月齢）", "F12 馬齢（月齢）"}, {"BareiTurfFG", "BareiDirtFG", "BareiHurdFG"}, {"Text6", "Text6", "Text16"}, kAllWindows, {},
     kAgeChartTab},
    {{"F13 騎手アーニング", "F13 騎手アーニング", "F13 騎手アーニング"}, {"KishuArningTurfFG", "KishuArningDirtFG", "KishuArningHurdFG"}, {"Text30", "Text30", "Text18"}, kTurfAndDirt, {},
     kInfluenceText "上位2桁が実日数、下位二桁は季節です"},
    {{"F14 移動競走間隔", "F14 移動競走間隔", "F14 移動競走間隔"}, {"RaceKankakuTurfFG", "RaceKankakuDirtFG", "RaceKankakuHurdFG"}, {"Text3", "Text3", "Text19"}, kAllWindows, {},
     kInfluenceText "なお、連は連闘を意味します。02は中2週を、03は中3週を以下同様、27は中27週以上も含みます。スケールは天候馬場状態に合わせて有ります。また長期休養明けなども有りますが、例数が少ないため省略しました。"},
    {{"F15 前前走オッズ", "F15 前前走オッズ", "F15 前前走オッズ"}, {"ZenzenOzzTurfFG", "ZenzenOzzDirtFG", "ZenzenOzzHurdFG"}, {"Text18", "Text18", ""}, kTurfAndDirt, {},
     kAbilityText},
    {{"F16 天候馬場状態", "F16 天候馬場状態", "F16 天候馬場状態"}, {"TenkoBabaTurfFG", "TenkoBabaDirtFG", "TenkoBabaHurdFG"}, {"Text19", "Text19", "Text20"}, kAllWindows, {},
     kInfluenceText "なお、ポイントは前走からの経過日数（レース間隔）で馬体重増減（Kg)を除したもので１日辺り333ｇが相当します。"},
    {{"F17 調教師アーニング", "F17　調教師アーニング", "F17 調教師アーニング"}, {"ChoArningTurfFG", "ChoArningDirtFG", "ChoArningHurdFG"}, {"Text21", "Text21", "Text21"}, kAllWindows, {},
     kAbilityText},
    {{"F18 騎手年齢", "F18 騎手年齢", "F18 騎手年齢"}, {"KishuNenreiTurfFG", "KishuNenreiDirtFG", "KishuNenreiHurdFG"}, {"Text7", "Text7", "Text22"}, kAllWindows, {},
     kAbilityText},
    {{"F19 調教師複勝率", "F19 調教師複勝率", "F19 調教師複勝率"}, {"TrainerTurfFG", "TrainerDirtFG", "TrainerHurdFG"}, {"Text8", "Text8", "Text23"}, kAllWindows, {},
     kAbilityText},
    {{"F20 種牡馬アーニング", "F20 種牡馬アーニング", "F20　種牡馬アーニング"}, {"FatherTurfFG", "FatherArningDirtFG", "FatherArningHurdFG"}, {"Text9", "Text9", "Text10"}, kAllWindows, {},
     kAbilityText},
    {{"F21 レース番号", "F21 レース番号", "F21 レース番号"}, {"RaceNoTurfFG", "RaceNoDirtFG", "RaceNoHurdFG"}, {"Text10", "Text10", ""}, kTurfAndDirt, {},
     kAbilityText},
    {{"F22 前前走着差", "F22 前前走着差", "F22 前前走着差"}, {"ZenzensoChakusaTurfFG", "ZenzensoChakusaDirtFG", "ZenzensoChakusaHurdFG"}, {"Text23", "Text23", "Text24"}, kNoWindow, {},
     ""},
    {{"F23 父馬(種牡馬・距離）", "F23 種牡馬複勝率", "F23　種牡馬複勝率"}, {"FFatherTurfFG", "FatherFukushorituDirtFG", "FatherFukushorituHurdFG"}, {"Text22", "Text22", "Text9"}, kAllWindows, {},
     kAbilityText},
    {{"F24　馬番土日", "F24　馬番土日", "F24 馬番"}, {"UmabanTurfFG", "UmabanDirtFG", "UmabanHurdFG"}, {"Text31", "Text31", "Text5"}, kTurfAndDirt, {},
     kInfluenceText "なお、98はサンプルが一頭の為値の振れが大きくなっています。なお意味は９歳で第8子となります。"},
    {{"F25 馬記号誕生月", "F25 馬記号誕生月", "F25 馬記号誕生月"}, {"UmakigoTukiTurfFG", "UmakigoTukiDirtFG", "UmakigoTukiHurdFG"}, {"Text32", "Text32", "Text4"}, kTurfAndDirt, {},
     kInfluenceText},
    {{"F26 前走タイム差", "F26 前走タイム差", "F26 前走タイム差"}, {"ZensoTimediffTurfFG", "ZensoTimediffDirtFG", "ZensoTimediffHurdFG"}, {"Text33", "Text33", "Text25"}, kTurfAndDirt, {},
     kInfluenceText},
    {{"F27 日次", "F27 日次", "F27 回次日次"}, {"NichijiTurfFG", "NichijiDirtFG", "NichijiHurdFG"}, {"Text4", "Text4", ""}, kTurfAndDirt, {},
     kAbilityText},
    {{"F28 出走頭数", "F28 出走頭数", "F28　登録頭数"}, {"ShussoTosuTurfFG", "ShussoTosuDirtFG", "ShussoTosuHurdFG"}, {"Text25", "Text27", "Text26"}, kAllWindows, {},
     kInfluenceText "なお、X軸は出走頭数xブリンカーです。頭数が多くなれば全体としては速度が速くなりますが、ペース速度と上がり速度は逆になります。"},
    {{"F29 前走3Fラップ比", "F29 前走3Fタイム比", "F29 前走Fタイム比"}, {"LapTurfFG", "LapDirtFG", "LapHurdFG"}, {"Text26", "Text26", "Text27"}, kAllWindows, {},
     kInfluenceText "X軸は前走1着馬とのタイム差ですが、-（マイナス）の場合は2着馬とのタイム差となります。"},
    {{"F30 馬主アーニング", "F30 馬主アーニング", "F30 馬主アーニング"}, {"BanusiArningTurfFG", "BanusiArningDirtFG", "BanusiArningHurdFG"}, {"Text27", "Text25", "Text8"}, kAllWindows, {},
     kInfluenceText "X軸は生まれた月です。"},

}};

#undef kAgeText
#undef kInfluenceText
#undef kAbilityText

const std::array<FactorWindowLayout, 3> kLayouts = {{
    {"FactorTURFA", "芝予想因子 Ver.2020.7.21  202001-202407", "TurfBonreiFG", "SSTab1", "SSTab3",
     {"牡馬", "牝馬", "馬齢（月齢）数値"}, "MaleAgeChart", "FemaleAgeChart", 2},
    {"FactorDIRTA", "ダート予想因子　Ver.2020.7.21 202001-202407", "DirtBonreiFG", "SSTab1", "SSTab3",
     {"牡馬", "牝馬", "馬齢（月齢）数値"}, "MaleAgeChart", "FemaleAgeChart", 2},
    {"FactorHURDA", "障害予想因子　Ver.2020.7.21 202001-202407", "shogBonreiFG", "SSTab1", "SSTab5",
     {"牡馬", "牝馬", "F12　馬齢（月齢）数値"}, "MaleAgeShogChart", "FemaleAgeShogChart", 2},
}};

}  // namespace

const std::string_view kAgeChartText = kAgeChartTab;

const std::array<ItemTab, kFactorItems + 1>& ItemTabs() { return kItemTabs; }

const FactorWindowLayout& WindowLayout(ModelSurface surface) { return kLayouts[WindowIndex(surface)]; }

std::string_view ExplanationText(ModelSurface surface, int item) {
  if (item < 1 || item > kFactorItems) return {};
  const ItemTab& tab = kItemTabs[static_cast<size_t>(item)];
  switch (tab.text_in) {
    case TextIn::kNoWindow: return {};
    case TextIn::kTurfAndDirt:
      if (surface == ModelSurface::kHurdle) return {};
      break;
    case TextIn::kAllWindows: break;
  }
  return surface != ModelSurface::kTurf && !tab.other_text.empty() ? tab.other_text : tab.text;
}

std::optional<ModelSurface> SurfaceByWord(std::string_view word) {
  if (word == "turf") return ModelSurface::kTurf;
  if (word == "dirt") return ModelSurface::kDirt;
  if (word == "hurdle") return ModelSurface::kHurdle;
  return std::nullopt;
}

}  // namespace radadovur::factors
