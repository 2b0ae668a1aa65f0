#include "history/result_document.h"

#include <cstdint>
#include <vector>

#include "common/tagged_line.h"
#include "common/text_file.h"

namespace radadovur::history {
namespace {

// The numbers of items a line with `tag` (its second item `kind`) may have, from the lines the
// results pass writes into a result document once the results are final: bit n for n items;
// 0 for a tag the document never holds.
using ItemCounts = uint32_t;
constexpr ItemCounts Exactly(int n) { return ItemCounts{1} << n; }
constexpr ItemCounts UpTo(int low, int high) { return (ItemCounts{2} << high) - (ItemCounts{1} << low); }

bool Digit(char c, char high) { return c >= '1' && c <= high; }

// A listing tag: the stem, the tier letter and the place in the tier (1..`places`).
bool ListingTag(std::string_view tag, std::string_view stem, char places) {
  return tag.size() == stem.size() + 2 && tag.starts_with(stem) && std::string_view("HJF").find(tag[stem.size()]) !=
         std::string_view::npos && Digit(tag.back(), places);
}

ItemCounts CountsOf(std::string_view tag, std::string_view kind) {
  if (tag == "DY") return Exactly(3);
  if (tag == "PL") return Exactly(6);
  if (tag == "RC") return Exactly(12);
  if (tag == "RR" || tag == "HS") return Exactly(17);
  if (tag == "AT") return Exactly(6);
  // The predicted order in groups of five and their finishing marks: up to five horses a group.
  if ((tag.size() == 2 && tag[0] == 'Q' && Digit(tag[1], '4')) ||
      (tag.size() == 4 && tag.starts_with("ATQ") && Digit(tag[3], '4')))
    return UpTo(1, 6);
  if (ListingTag(tag, "MU", '6') || ListingTag(tag, "MS", '7')) return Exactly(3);
  if (ListingTag(tag, "PU", '6')) return Exactly(5);
  if (ListingTag(tag, "PS", '7')) return Exactly(3) | Exactly(9);  // nine with the 3連単 orders
  if (tag == "KK") {
    if (kind == "1" || kind == "3" || kind == "4") return Exactly(6);
    if (kind == "2") return Exactly(10);
    if (kind == "5") return Exactly(12);
  }
  if (tag == "KS") {
    if (kind == "1" || kind == "3") return Exactly(14);
    if (kind == "2") return Exactly(8);
  }
  return 0;
}

// "6", "1～6", "3 か 9".
std::string CountsText(ItemCounts counts) {
  std::vector<int> n;
  for (int i = 0; i < 32; ++i)
    if (counts & Exactly(i)) n.push_back(i);
  if (n.size() == 1) return std::to_string(n[0]);
  if (n.back() - n.front() + 1 == static_cast<int>(n.size()))
    return std::to_string(n.front()) + "～" + std::to_string(n.back());
  std::string text;
  for (const int i : n) text += (text.empty() ? "" : " か ") + std::to_string(i);
  return text;
}

// What is wrong with one line (without its CR LF), empty when nothing is.
std::string LineFault(std::string_view line) {
  std::vector<std::string_view> items;
  if (common::Status s = common::SplitTaggedLine(line, items); !s.ok()) return s.ToString();
  if (line.empty() || line.front() != '"') return "行の始めに引用符で囲んだ種別がありません";
  const std::string_view tag = items.front();
  const ItemCounts counts = CountsOf(tag, items.size() > 1 ? items[1] : std::string_view());
  const std::string shown = "\"" + common::Shown(tag) + "\"";
  if (counts == 0) return "種別 " + shown + " は結果の文書にない種別です";
  if (items.size() >= 32 || !(counts & Exactly(static_cast<int>(items.size()))))
    return "種別 " + shown + " の行の項目数が " + std::to_string(items.size()) + " です（" + CountsText(counts) + " のはず）";
  return {};
}

}  // namespace

common::Status CheckResultDocument(const std::string& path, std::string_view bytes) {
  size_t number = 0;
  for (size_t at = 0; at < bytes.size();) {
    ++number;
    const size_t end = bytes.find("\r\n", at);
    std::string fault;
    if (end == std::string_view::npos) {
      fault = "行末（CR LF）がないまま文書が終わっています";
    } else {
      fault = LineFault(bytes.substr(at, end - at));
    }
    if (!fault.empty())
      return common::Status::Corruption(path, "結果の文書 " + path + " の " + std::to_string(number) + " 行目が壊れています: " +
                                                  fault + "。");
    at = end + 2;
  }
  return common::Status::OK();
}

common::Status ReadResultDocument(const std::string& path, ItemStream& doc) {
  std::string bytes;
  common::Status status = common::ReadWholeFile(path, bytes);
  if (status.ok()) status = CheckResultDocument(path, bytes);
  doc = ItemStream(status.ok() ? std::move(bytes) : std::string());
  return status;
}

}  // namespace radadovur::history
