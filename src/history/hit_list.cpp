#include "history/hit_list.h"

#include "common/convert.h"
#include "common/cp932.h"
#include "common/day_files.h"
#include "common/text_file.h"
#include "history/items.h"
#include "history/meeting_day_search.h"
#include "history/result_document.h"
#include "results/code_table.h"

namespace radadovur::history {
namespace {

// Values 1..19 of a hit line (CP932), as the file holds them.
using HitValues = std::array<std::string, 19>;

std::string Cp932(std::string_view utf8) { return common::ToCp932(utf8); }

std::string QuotedLine(const std::vector<std::string>& values) {
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) line += (i ? ",\"" : "\"") + values[i] + "\"";
  return line + "\r\n";
}

std::string PayoutKindName(std::string_view kind) {
  if (kind == "1") return "単勝";
  if (kind == "2") return "複勝";
  if (kind == "3") return "枠連";
  return std::string();
}

}  // namespace

void ReadHitDay(ItemStream& doc, const std::array<std::string, 6>& day, std::string& file, HitList& list) {
  HitValues values;
  for (size_t i = 0; i < 6; ++i) values[i] = day[i];
  bool umaren = false;
  std::string_view item;
  while (doc.Next(item)) {
    if (item == "RC") {
      std::array<std::string, 13> race;  // items 2..12 at their numbers
      for (int k = 2; k <= 12; ++k) race[static_cast<size_t>(k)] = std::string(doc.NextOr());
      doc.Skip(1);  // the first value of the next line
      values[6] = race[4] + "R";
      values[7] = race[5].empty() ? race[6] : race[5];
      for (int k = 6; k <= 12; ++k) values[static_cast<size_t>(k + 2)] = race[static_cast<size_t>(k)];
    } else if (item == "AT") {
      doc.Skip(1);
      const std::string code(doc.NextOr());
      values[15] = Cp932(BetKindName(code));
      if (code == "1") umaren = true;
      for (size_t i = 16; i <= 18; ++i) values[i] = std::string(doc.NextOr());
      file += QuotedLine(std::vector<std::string>(values.begin(), values.end()));
      if (!IsBigPayout(values[18])) continue;
      ++list.big_hits;
      if (list.rows.size() >= static_cast<size_t>(kHitListRows)) continue;
      const std::string r = std::to_string(list.big_hits);
      auto text = [&](size_t i) { return common::DisplayText(values[i]); };
      std::array<std::string, kHitListColumns> row;
      row[0] = " " + text(0) + " " + r;
      for (size_t c = 1; c <= 6; ++c) row[c] = text(c);
      row[7] = text(7);
      row[8] = text(15);
      row[9] = text(18);
      row[10] = text(16);
      row[11] = " " + text(17);
      for (size_t c = 12; c <= 18; ++c) row[c] = text(c - 4);
      row[19] = r;
      list.rows.push_back(std::move(row));
    } else if (item == "KK" && umaren) {
      const std::string kind(doc.NextOr());
      std::vector<std::string> line(values.begin(), values.end());
      line.push_back(Cp932(PayoutKindName(kind)));
      line.emplace_back(doc.NextOr());
      line.emplace_back(doc.NextOr());
      doc.Skip(1);
      if (kind == "3") umaren = false;
      file += QuotedLine(line);
    }
  }
}

const std::array<std::string_view, kHitListColumns>& HitListHeaders() {
  static const std::array<std::string_view, kHitListColumns> headers = {
      "年  本数", "月",       "日",       "場所",     "回次",     "日次", "R",  "レース名", "券種",   "配当(円)",
      "的中状況", "当たり目", "馬齢条件", "収得条件", "G",        "芝ダ", "距離(m)", "SD", "天場", "本数"};
  return headers;
}

const std::array<int, kHitListColumns>& HitListWidths() {
  static const std::array<int, kHitListColumns> widths = {1700, 600,  600,  600,  600,  600, 600, 2200, 0,   0,
                                                          1700, 1700, 1700, 1700, 600,  600, 0,   600,  600, 0};
  return widths;
}

std::string_view HitListNote() {
  return "的中目はタイム合計法（指数和）で求めています。馬連・馬単は6点区切り、3連複は7点区切り、3連単は42点区切りの3区分（本・準・伏）です。";
}

std::string_view BetKindName(std::string_view at_code) {
  static const std::string_view names[] = {"馬連", "ワイド1", "ワイド2", "ワイド3", "馬単", "３連複", "３連単"};
  if (at_code.size() == 1 && at_code[0] >= '1' && at_code[0] <= '7') return names[at_code[0] - '1'];
  return {};
}

bool IsBigPayout(std::string_view payout) {
  const auto value = common::WholeNumber(payout);
  return value && *value > kBigPayout;
}

HitList LoadHitList(const std::string& app_path, const std::function<void(std::string_view date)>& on_date,
                    common::StepFailures& failures) {
  results::CodeTable table;
  // A missing code table leaves the racecourse names empty; the list is made all the same.
  (void)results::LoadCodeTable(app_path, table);
  HitList list;
  std::string file;
  bool unread = false;
  for (const std::string& key : MeetingDaySearch(app_path, "lupRCM.txt", on_date)) {
    const std::array<std::string, 6> day = {
        Cp932(key.substr(0, 4) + "年"),
        Cp932(key.substr(4, 2) + "月"),
        Cp932(key.substr(6, 2) + "日"),
        results::LookupCodeTable(table, results::kCodeVenue, key.substr(8, 2), 4),
        Cp932(key.substr(10, 2) + "回"),
        Cp932(key.substr(12, 2) + "日"),
    };
    std::string path;
    if (common::Status named = common::DayFilePath(app_path, kTekichuFolder, key, "lupRCM.txt", path); !named.ok()) {
      failures.Add(std::move(named));
      continue;
    }
    ItemStream doc;
    if (common::Status s = ReadResultDocument(path, doc); !s.ok()) {
      failures.Add(std::move(s));
      unread = true;
      continue;
    }
    ReadHitDay(doc, day, file, list);
  }
  // A file without an unread day's hits would read as if that day had hit nothing.
  if (!unread) failures.Add(common::WriteFileAtomic(app_path + std::string(kAtariList), file));
  return list;
}

}  // namespace radadovur::history
