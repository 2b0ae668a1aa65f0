#include "history/past_runs.h"

#include <vector>

#include "common/convert.h"
#include "common/cp932.h"
#include "common/names.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "results/code_table.h"

namespace radadovur::history {
namespace {

// How a row's value is made from the record.
enum class Form {
  kStored,     // the field as stored
  kFloat,      // a single at the offset, four-decimal form
  kVenue,      // racecourse name, Kaiji, Nichiji, RaceNum
  kWeekday,    // the weekday name
  kHorse,      // Wakuban, Umaban, KettoNum
  kArrival,    // ArrivalOrder, a blank, TimeDiff
  kLaps,       // the first four lap times, each followed by "-"
  kMarket,     // MarketAge, a blank, MarketPeriod start and end
};

struct RowSpec {
  const char* label;
  Form form;
  int offset;
  int width;
};

constexpr RowSpec S(const char* label, int offset, int width) { return {label, Form::kStored, offset, width}; }
constexpr RowSpec F(const char* label, int offset) { return {label, Form::kFloat, offset, 4}; }

// Rows 1..161.
const RowSpec kRows[] = {
    S("レコードスペック", 0, 2), S("データ区分", 2, 1), S("作成年月日", 3, 8), S("レース年月日", 11, 8),
    {"レース開催場所回日R", Form::kVenue, 0, 0}, {"枠馬番血統番号", Form::kHorse, 0, 0}, S("馬名", 788, 36),
    S("生年月日", 206, 8), S("馬招待地区", 214, 20), S("生産者コード", 234, 8), S("生産地", 314, 20),
    S("父馬繁殖番号", 334, 10), S("父馬生年", 380, 4), S("父馬生産地", 384, 20), S("母馬繁殖番号", 404, 10),
    S("母馬生年", 414, 4), S("母馬生産地", 418, 20), S("母父馬繁殖番号", 508, 10), S("母父馬生年", 554, 4),
    S("母父馬生産地", 558, 20), S("馬記号", 825, 2), S("馬性別", 827, 1), S("馬品種", 828, 1), S("馬毛色", 829, 2),
    S("東西所属", 831, 1), S("調教師コード", 832, 5), S("馬主コード", 845, 6), S("服色表示", 915, 60),
    S("負担重量", 975, 3), S("変更前負担重量", 978, 3), S("ブリンカー使用区分", 981, 1),
    {"曜日", Form::kWeekday, 0, 0}, S("騎手コード", 983, 5), S("騎手略称", 1023, 8), S("騎手生年月日", 988, 8),
    S("騎手性別", 996, 1), S("騎乗資格区分", 1017, 1), S("騎手招待地区", 997, 20), S("変更前騎手コード", 1018, 5),
    S("変更前騎手略称", 1031, 8), S("見習い区分", 1039, 1), S("変更前見習い区分", 1040, 1), S("馬体重", 1041, 3),
    S("前走増減符号", 1044, 1), S("前走増減差", 1045, 3), S("異常区分", 1048, 1),
    {"入線順位　1着との秒差", Form::kArrival, 0, 0}, S("確定順位", 1051, 2), S("同着区分", 1053, 1),
    S("同着頭数", 1054, 1), S("走破タイム", 1055, 4), S("着差コード", 1059, 3), S("着差コード+", 1062, 3),
    S("着差コード++", 1065, 3), S("第1コーナー順位", 1068, 2), S("第2コーナー順位", 1070, 2),
    S("第3コーナー順位", 1072, 2), S("第4コーナー順位", 1074, 2), S("単勝オッズ", 1076, 4), S("単勝人気", 1080, 2),
    S("本賞金", 1082, 8), S("付加賞金", 1090, 8), S("予備", 1098, 3), S("予備", 1101, 3), S("後半4Fタイム", 1104, 3),
    S("後半3Fタイム", 1107, 3), S("レースグレイド", 1114, 1), S("変更前レースグレイド", 1115, 1),
    S("競走条件種別", 1116, 2), S("競走条件記号", 1118, 3), S("競走重量種別", 1121, 1), S("競走2歳条件", 1122, 3),
    S("競走3歳条件", 1125, 3), S("競走4歳条件", 1128, 3), S("競走5歳以上条件", 1131, 3), S("競走最若年条件", 1134, 3),
    S("距離(m)", 1137, 4), S("変更前距離(m)", 1141, 4), S("トラックコード", 1145, 2), S("変更前トラックコード", 1147, 2),
    S("コース区分", 1149, 2), S("変更前コース区分", 1151, 2), S("本賞金1着", 1153, 8), S("本賞金2着", 1161, 8),
    S("本賞金3着", 1169, 8), S("本賞金4着", 1177, 8), S("本賞金5着", 1185, 8), S("同着本賞金5着", 1193, 8),
    S("同着本賞金5着", 1201, 8), S("同着変更前1着本賞金", 1209, 8), S("同着変更前2着本賞金", 1217, 8),
    S("同着変更前3着本賞金", 1225, 8), S("同着変更前4着本賞金", 1233, 8), S("同着変更前5着本賞金", 1241, 8),
    S("付加賞金1着", 1249, 8), S("付加賞金2着", 1257, 8), S("付加賞金3着", 1265, 8), S("同着付加賞金3着", 1273, 8),
    S("同着付加賞金3着", 1281, 8), S("同着変更前1着付加賞金", 1289, 8), S("同着変更前2着付加賞金", 1297, 8),
    S("同着変更前3着付加賞金", 1305, 8), S("発走時刻", 1313, 4), S("変更前発走時刻", 1317, 4), S("登録頭数", 1321, 2),
    S("出走頭数", 1323, 2), S("入線頭数", 1325, 2), S("天候コード", 1327, 1), S("芝馬場状態", 1328, 1),
    S("ダート馬場状態", 1329, 1), {"ハロン毎先頭馬タイム", Form::kLaps, 0, 0}, S("障害マイルタイム", 1405, 4),
    S("前半4Fラップタイム計", 1412, 3), S("前半3Fラップタイム計", 1409, 3), S("後半4Fラップタイム計", 1418, 3),
    S("後半3Fラップタイム計", 1415, 3), S("コ周回各馬通過順位0", 1421, 72), S("コ周回各馬通過順位1", 1493, 72),
    S("コ周回各馬通過順位2", 1565, 72), S("コ周回各馬通過順位3", 1637, 72), S("累計本賞金対数", 40, 2),
    S("上がり時速", 1709, 7), S("ペース時速", 1716, 7), S("走破時速", 1723, 7), S("予想上がり時速", 1730, 7),
    S("予想ペース時速", 1737, 7), S("予想走破時速", 1744, 7), S("騎手サンプル数", 1751, 7),
    S("生産者サンプル数", 1758, 7), S("調教師サンプル数", 1765, 7), S("父父馬サンプル数", 1772, 7),
    S("母父馬サンプル数", 1779, 7), S("生産者名", 242, 72), S("調教師名", 837, 8), S("父馬名", 344, 36),
    S("母父馬名", 518, 36), S("市場コード", 53, 6), S("市場主催者", 59, 40), S("市場名", 99, 80),
    {"取引馬齢開終", Form::kMarket, 0, 0}, S("市場取引価格", 196, 10), F("上がり時速（単）", 2521),
    F("ペース時速（単）", 2525), F("走破時速（単）", 2529), F("予想上がり時速（単）", 2533),
    F("予想ペース時速（単）", 2537), F("予想走破時速（単）", 2541), F("合成予想走破時速（単）", 2545),
    F("実測走破時速-合成走破（単）", 2549), F("予想走破時速-合成走破（単）", 2553),
    F("実測上がり-予想上がり（単）", 2557), F("実測ペース-予想ペース（単）", 2561), F("実測走破-予想走破（単）", 2565),
    F("100*(sps-spa)/(spp-spa)", 2569), F("", 2573), F("", 2577), F("", 2581), F("", 2585), F("", 2589), F("", 2593),
    F("", 2597)};
static_assert(sizeof kRows / sizeof kRows[0] == 161);

struct FactorName {
  const char* name;
  int offset;
  int width;
};

const FactorName kFactors[30] = {
    {" 年度", 1849, 9},           {" 開催場所距離", 1858, 11},   {" 前走走行情報", 1869, 9},
    {" 負担重量", 1878, 4},       {" 本賞金", 1882, 5},          {" 馬競走記号", 1887, 6},
    {" 騎手の複勝率", 1893, 5},   {" 競走馬の複勝率", 1898, 4},  {" 経験レース数", 1902, 3},
    {" 性別馬体重斤量％", 1905, 3}, {" 馬体重", 1908, 4},        {" 月齢", 1912, 3},
    {" 騎手アーニング", 1915, 6}, {" 競走間隔", 1921, 6},        {" 推定支持率（前前走）", 1927, 6},
    {" 天候馬場状態", 1933, 4},   {" 調教師アーニング", 1937, 4}, {" 騎手年齢見習い", 1941, 6},
    {" 調教師の複勝率", 1947, 5}, {" 種牡馬アーニング", 1952, 10}, {" 第何R", 1962, 10},
    {" タイム着差（前前走）", 1972, 5}, {" 種牡馬距離複勝率", 1977, 10}, {" 馬番", 1987, 6},
    {" 生れ月", 1993, 4},         {" 前走タイム差", 1997, 4},    {" 日次", 2001, 8},
    {" 登録数", 2009, 6},         {" 前後ラップ比", 2015, 6},    {" 馬主アーニング", 2021, 4}};

class Run {
 public:
  Run(std::string_view record, const results::CodeTable& table) : record_(record), table_(table) {}

  std::string Stored(int offset, int width) const {
    return common::DisplayText(record_.substr(static_cast<size_t>(offset), static_cast<size_t>(width)));
  }
  std::string Float(int offset) const {
    return common::FlooredDecimals(engine::GetReal(record_.data() + offset), 4);
  }
  std::string Lookup(std::string_view kind, int offset, int width) const {
    const std::string code(record_.substr(static_cast<size_t>(offset), static_cast<size_t>(width)));
    return common::DisplayText(results::LookupCodeTable(table_, kind, code, 4));
  }

  std::string Value(const RowSpec& row) const {
    switch (row.form) {
      case Form::kStored: return Stored(row.offset, row.width);
      case Form::kFloat: return Float(row.offset);
      case Form::kVenue: return Lookup(results::kCodeVenue, 19, 2) + Stored(21, 2) + Stored(23, 2) + Stored(25, 2);
      case Form::kWeekday: return Lookup(results::kCodeWeekday, 42, 1);
      case Form::kHorse: return Stored(27, 1) + Stored(28, 2) + Stored(30, 10);
      case Form::kArrival: return Stored(1049, 2) + " " + Stored(1110, 4);
      case Form::kLaps: {
        std::string laps;
        for (int i = 0; i < 4; ++i) laps += Stored(1330 + 3 * i, 3) + "-";
        return laps;
      }
      case Form::kMarket: return Stored(195, 1) + " " + Stored(179, 8) + Stored(187, 8);
    }
    return {};
  }

 private:
  std::string_view record_;
  const results::CodeTable& table_;
};

}  // namespace

Grid LoadPastRuns(const std::string& app_path, std::string_view selected_cell) {
  Grid grid(kPastRunRows, 2, 1, 1);
  results::CodeTable table;
  // Without a code table the racecourse and weekday names are empty; the runs show all the same.
  (void)results::LoadCodeTable(app_path, table);
  if (common::Utf8Right(selected_cell, 16).empty()) return grid;

  std::string records;
  if (const std::string name = engine::ExFileNameOfCell(selected_cell); !name.empty()) {
    if (!common::ReadWholeFile(app_path + std::string(common::names::kUmagotoExFolder) + "/" + name, records).ok())
      records.clear();
  }
  // A partial record at the end is not a run.
  const int n = static_cast<int>(records.size() / kExRecordLength);
  grid = Grid(kPastRunRows, n + 1, 1, 1);
  grid.SetWidth(0, 2000);
  for (int c = 1; c <= n; ++c) {
    grid.SetWidth(c, 1500);
    const int k = n - c + 1;
    const Run run(std::string_view(records).substr(static_cast<size_t>(k - 1) * kExRecordLength, kExRecordLength), table);
    grid.Put(0, c, "前 " + std::to_string(c - 1) + "走");
    for (int row = 1; row <= 161; ++row) grid.Put(row, c, run.Value(kRows[row - 1]));
    for (int i = 1; i <= 30; ++i) {
      const FactorName& f = kFactors[i - 1];
      grid.Put(161 + i, c, run.Stored(f.offset, f.width));
      grid.Put(191 + i, c, run.Stored(2025 + 4 * i, 4));
      grid.Put(221 + i, c, run.Float(2149 + 4 * i));
      grid.Put(251 + i, c, run.Float(2273 + 4 * i));
      grid.Put(281 + i, c, run.Float(2397 + 4 * i));
    }
  }
  for (int row = 1; row <= 161; ++row) grid.Put(row, 0, kRows[row - 1].label);
  for (int i = 1; i <= 30; ++i) {
    const std::string n_i = std::to_string(i) + kFactors[i - 1].name;
    grid.Put(161 + i, 0, "F" + n_i);
    grid.Put(191 + i, 0, "FC" + n_i);
    grid.Put(221 + i, 0, "AgariFW" + n_i);
    grid.Put(251 + i, 0, "PaceFW" + n_i);
    grid.Put(281 + i, 0, "SohaFW" + n_i);
  }
  return grid;
}

}  // namespace radadovur::history
