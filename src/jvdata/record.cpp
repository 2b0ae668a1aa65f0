#include "jvdata/record.h"

#include <algorithm>
#include <span>

#include "jvdata/layout_hr.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"

namespace radadovur::jvdata {
namespace {

constexpr Layout kRa{"RA", ra::kLength, ra::kFields};
constexpr Layout kSe{"SE", se::kLength, se::kFields};
constexpr Layout kHr{"HR", hr::kLength, hr::kFields};
constexpr Layout kUm{"UM", um::kLength, um::kFields};
constexpr Layout kKs{"KS", ks::kLength, ks::kFields};
constexpr Layout kKsStored{"KS", ks_stored::kLength, ks_stored::kFields};
constexpr Layout kO1{"O1", o1::kLength, o1::kFields};
constexpr Layout kO2{"O2", odds::kQuinella.length(), odds::kQuinellaFields};
constexpr Layout kO4{"O4", odds::kExacta.length(), odds::kExactaFields};
constexpr Layout kO5{"O5", odds::kTrio.length(), odds::kTrioFields};
constexpr Layout kO6{"O6", odds::kTrifecta.length(), odds::kTrifectaFields};

struct TypeRow {
  RecordType type;
  const Layout* delivered;
  const Layout* stored;
};
constexpr TypeRow kTypes[] = {
    {RecordType::RA, &kRa, &kRa}, {RecordType::SE, &kSe, &kSe}, {RecordType::HR, &kHr, &kHr},
    {RecordType::UM, &kUm, &kUm}, {RecordType::KS, &kKs, &kKsStored}, {RecordType::O1, &kO1, &kO1},
    {RecordType::O2, &kO2, &kO2}, {RecordType::O4, &kO4, &kO4}, {RecordType::O5, &kO5, &kO5},
    {RecordType::O6, &kO6, &kO6},
};

const TypeRow* RowOf(RecordType type) {
  for (const auto& row : kTypes)
    if (row.type == type) return &row;
  return nullptr;
}

// Left-aligned in the layout's length, blank-padded, cut at the end.
std::string Fit(std::string_view bytes, size_t length) {
  std::string out(bytes.substr(0, std::min(bytes.size(), length)));
  out.resize(length, ' ');
  return out;
}

}  // namespace

RecordType TypeOf(std::string_view record) {
  std::string_view spec = record.substr(0, std::min<size_t>(2, record.size()));
  for (const auto& row : kTypes)
    if (row.delivered->spec == spec) return row.type;
  return RecordType::Unknown;
}

std::string_view SpecOf(RecordType type) {
  const TypeRow* row = RowOf(type);
  return row ? row->delivered->spec : std::string_view("??");
}

const Layout* DeliveredLayout(RecordType type) {
  const TypeRow* row = RowOf(type);
  return row ? row->delivered : nullptr;
}

const Layout* StoredLayout(RecordType type) {
  const TypeRow* row = RowOf(type);
  return row ? row->stored : nullptr;
}

ParsedRecord ParseRecord(RecordType type, std::string_view record) {
  ParsedRecord parsed;
  parsed.layout = DeliveredLayout(type);
  if (parsed.layout) parsed.delivered = std::string(record.substr(0, std::min<size_t>(record.size(), parsed.layout->length)));
  return parsed;
}

namespace {

// The stored jockey record: every field at its stored offset with its stored width; the prize
// totals lose their 10th character.
std::string JockeyStoredForm(const ParsedRecord& p) {
  const std::string full = Fit(p.delivered, ks::kLength);
  std::string stored(ks_stored::kLength, ' ');
  for (size_t r = 0; r < ks::kFields.size(); ++r) {
    const Field& from = ks::kFields[r].field;
    const Field& to = ks_stored::kFields[r].field;
    for (uint32_t i = 0; i < from.count; ++i)
      for (uint32_t j = 0; j < from.count2; ++j)
        stored.replace(to.At(i, j), to.width, full, from.At(i, j), to.width);
  }
  return stored;
}

}  // namespace

std::string StoredForm(RecordType type, std::string_view delivered) {
  const ParsedRecord parsed = ParseRecord(type, delivered);
  switch (type) {
    case RecordType::RA: return Fit(parsed.delivered, ra::kLength);
    case RecordType::SE: return Fit(parsed.delivered, se::kLength);
    case RecordType::HR: return Fit(parsed.delivered, hr::kLength);
    case RecordType::UM: return Fit(parsed.delivered, um::kLength);
    case RecordType::KS: return JockeyStoredForm(parsed);
    default: return {};
  }
}

RecordCheck CheckRecords(std::string_view bytes, size_t length, const RecordFault& fault) {
  RecordCheck check;
  if (length == 0) return check;
  check.count = bytes.size() / length;
  for (size_t i = 0; fault && i < check.count; ++i) {
    check.reason = fault(bytes.substr(i * length, length));
    if (check.reason.empty()) continue;
    check.first_bad = i + 1;
    return check;
  }
  if (const size_t tail = bytes.size() % length; tail != 0) {
    check.first_bad = check.count + 1;
    check.reason = "が途中で切れています（" + std::to_string(length) + " バイトのうち " + std::to_string(tail) + " バイト）";
  }
  return check;
}

RecordCheck CheckRecords(std::string_view bytes, const Layout& layout) {
  const size_t length = layout.length;
  return CheckRecords(bytes, length, [&](std::string_view record) -> std::string {
    const std::string_view end = record.substr(length - 2);
    if (record.substr(0, 2) != layout.spec) return "が \"" + std::string(layout.spec) + "\" で始まっていません";
    if (end != "\r\n" && end != "  ") return std::string(kNoLineEndReason);
    return {};
  });
}

namespace {
common::Status CheckStatus(const std::string& path, std::string_view bytes, size_t length, const RecordCheck& check) {
  if (check.ok()) return common::Status::OK();
  return common::Status::Corruption(path, common::Shown(path) + " のレコード " + std::to_string(check.first_bad) + " " + check.reason +
                                              "（ファイル " + std::to_string(bytes.size()) + " バイト、1 レコード " +
                                              std::to_string(length) + " バイト）");
}
}  // namespace

common::Status CheckRecordFile(const std::string& path, std::string_view bytes, size_t length,
                               const RecordFault& fault) {
  return CheckStatus(path, bytes, length, CheckRecords(bytes, length, fault));
}

common::Status CheckRecordFile(const std::string& path, std::string_view bytes, const Layout& layout) {
  return CheckStatus(path, bytes, layout.length, CheckRecords(bytes, layout));
}

namespace {

// A field the store sorts or files a record by, with the name the user knows.
struct KeyField {
  const char* name;
  Field field;
};
constexpr KeyField kRaceKeyFields[] = {{"開催年", ra::Year},         {"開催月日", ra::MonthDay},
                                       {"データ区分", ra::DataCategory}, {"競馬場コード", ra::VenueCode},
                                       {"開催回", ra::Kaiji},        {"開催日目", ra::Nichiji},
                                       {"レース番号", ra::RaceNum}};
constexpr KeyField kEntryKeyFields[] = {
    {"開催年", se::Year},       {"開催月日", se::MonthDay}, {"データ区分", se::DataCategory}, {"競馬場コード", se::VenueCode},
    {"開催回", se::Kaiji},      {"開催日目", se::Nichiji},  {"レース番号", se::RaceNum},      {"馬番", se::Umaban},
    {"血統登録番号", se::KettoNum}, {"作成日", se::CreatedDate}};
constexpr KeyField kHorseKeyFields[] = {{"血統登録番号", um::KettoNum}};

std::span<const KeyField> KeyFieldsOf(RecordType type) {
  switch (type) {
    case RecordType::RA: return kRaceKeyFields;
    case RecordType::SE: return kEntryKeyFields;
    case RecordType::UM: return kHorseKeyFields;
    default: return {};
  }
}

// Key fields hold digits (codes also capital letters), or blanks where a value is not given.
bool IsKeyCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' '; }

}  // namespace

std::string DeliveredRecordFault(std::string_view record) {
  auto tag_character = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); };
  if (record.size() < 2 || !tag_character(record[0]) || !tag_character(record[1]))
    return "レコード種別（先頭の2文字）がありません";
  const RecordType type = TypeOf(record);
  const Layout* layout = DeliveredLayout(type);
  if (!layout) return {};
  if (record.size() != layout->length)
    return "長さが " + std::to_string(record.size()) + " バイトです（" + std::string(layout->spec) + " レコードは " +
           std::to_string(layout->length) + " バイト）";
  // A record of the right length can still have lost a byte and gained another.
  if (!record.ends_with("\r\n")) return "行末（CR LF）で終わっていません";
  // Bytes written over a record keep its length; where they hit the fields the store sorts and
  // files it by, the record would land in the wrong place or under a wrong name.
  for (const KeyField& key : KeyFieldsOf(type)) {
    const std::string_view value = key.field.Of(record);
    if (!std::all_of(value.begin(), value.end(), IsKeyCharacter))
      return std::string(key.name) + "に数字と英大文字以外の文字があります";
  }
  return {};
}

std::vector<NamedField> ListFields(const Layout& layout, std::string_view record) {
  struct Item {
    uint32_t offset;
    NamedField field;
  };
  std::vector<Item> items;
  for (const auto& row : layout.fields) {
    const Field& f = row.field;
    std::string base = row.name;
    std::string member;
    if (auto us = base.find('_'); us != std::string::npos) {
      member = "." + base.substr(us + 1);
      base = base.substr(0, us);
    }
    for (uint32_t i = 0; i < f.count; ++i)
      for (uint32_t j = 0; j < f.count2; ++j) {
        // The group's index goes with the group, the member's own index with the member:
        // "YearRecords[0].FlatPlaces[3]", "SurfacePlaces[6][5]".
        std::string name = base;
        if (f.count > 1) name += "[" + std::to_string(i) + "]";
        name += member;
        if (f.count2 > 1) name += "[" + std::to_string(j) + "]";
        items.push_back({f.At(i, j), {std::move(name), f.Of(record, i, j)}});
      }
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.offset < b.offset; });
  std::vector<NamedField> out;
  out.reserve(items.size());
  for (auto& it : items) out.push_back(std::move(it.field));
  return out;
}

namespace odds {
bool IsNoOdds(std::string_view v) {
  if (v.empty()) return true;
  const char c = v[0];
  if (c != '0' && c != '-' && c != '*' && c != ' ') return false;
  return std::all_of(v.begin(), v.end(), [c](char x) { return x == c; });
}
}  // namespace odds

}  // namespace radadovur::jvdata
