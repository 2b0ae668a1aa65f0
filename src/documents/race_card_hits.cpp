#include "documents/race_card_hits.h"

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/lup_document.h"
#include "documents/ticket_matches.h"
#include "jvdata/layout_hr.h"

namespace radadovur::documents {
namespace {

namespace hr = jvdata::hr;
using common::Status;
using common::TaggedLine;

using Format = Status (*)(std::string_view, std::string*);

// The printed entries of one payout block: combination through `format`, then the payout.
struct Printed {
  const jvdata::Field& combination;
  const jvdata::Field& payout;
  uint32_t entries;
  Format format;
};

// One payout line of the given blocks; false (and reported) when an entry cannot be formatted.
void AddPayoutLine(std::string_view record, const char* tag, std::initializer_list<Printed> blocks, std::string& out,
                   common::StepFailures& failures) {
  TaggedLine line(tag);
  line.Text("1");
  for (const Printed& block : blocks)
    for (uint32_t i = 0; i < block.entries; ++i) {
      std::string combination, payout;
      Status status = block.format(block.combination.Of(record, i), &combination);
      if (status.ok()) status = FormatPayout(block.payout.Of(record, i), &payout);
      if (!status.ok()) {
        failures.Add(Status::InvalidArgument("出馬表", "出馬表の払戻 " + std::string(tag) + ": " +
                                                              status.ToString()));
        return;
      }
      line.Text(combination).Text(payout);
    }
  out += line.Str();
}

constexpr const char* kTierWords[3] = {"本線", "準本", "伏兵"};
constexpr const char* kTrifectaTierWords[3] = {"本線", "準本線", "伏兵"};

// The AT label and kind of a tiered match of 馬連, ワイド, 馬単 or 3連複.
std::string AtLabel(const TicketMatch& m) {
  const std::string word = kTierWords[m.tier->tier];
  if (m.kind == TicketKind::kUmatan) return word + (m.reversed ? "逆順的中" : "正順的中");
  return word + std::to_string(m.tier->point) + " 的中";
}
std::string AtKind(const TicketMatch& m) {
  switch (m.kind) {
    case TicketKind::kUmaren: return "1";
    case TicketKind::kWide: return std::to_string(m.wide_counter);
    case TicketKind::kUmatan: return "5";
    default: return "6";
  }
}

// The 3連単 label: tier word, point, order; 準本線 and 伏兵 put their blank by the order.
std::string TrifectaLabel(const TicketMatch& m) {
  std::string suffix = "第" + std::to_string(m.order) + "順";
  if (m.tier->tier == 0) suffix += "的中";
  else if (m.order == 1) suffix += "的中 ";
  else if (m.order == 2) suffix += "的中";
  else suffix += " 的中";
  return std::string(kTrifectaTierWords[m.tier->tier]) + std::to_string(m.tier->point) + suffix;
}

// The combination, one blank, the payout and 円, in CP932; false when a field is no number.
bool TrifectaText(std::string_view combination, std::string_view payout, std::string& text,
                  common::StepFailures& failures) {
  std::string trio, yen;
  Status status = FormatTrio(combination, &trio);
  if (status.ok()) status = FormatPayout(payout, &yen);
  if (!status.ok()) {
    failures.Add(Status::InvalidArgument("出馬表", "出馬表の3連単 " + common::Shown(combination) + ": " +
                                                          status.ToString()));
    return false;
  }
  text = trio + " " + yen + common::ToCp932("円");
  return true;
}

}  // namespace

std::string RaceCardPayoutAndHitLines(const results::ResultsWindowState& state, common::StepFailures& failures) {
  const std::string_view record = state.CurrentPayoutRecord;
  std::string out;
  AddPayoutLine(record, "KK",
                {{hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, 2, FormatUmaban},
                 {hr::FukushoPayouts_Combination, hr::FukushoPayouts_Payout, 4, FormatUmaban},
                 {hr::WakurenPayouts_Combination, hr::WakurenPayouts_Payout, 2, FormatBracketPair},
                 {hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, 2, FormatPair},
                 {hr::WidePayouts_Combination, hr::WidePayouts_Payout, 5, FormatPair}},
                out, failures);
  AddPayoutLine(record, "KS",
                {{hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, 6, FormatPair},
                 {hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout, 3, FormatTrio}},
                out, failures);

  int hit_number = 0;
  WalkTicketMatches(state, {TicketKind::kUmaren, TicketKind::kWide, TicketKind::kUmatan, TicketKind::kSanrenpuku},
                    [&](const TicketMatch& m) {
                      ++hit_number;
                      if (!m.tier) return;
                      std::string combination, payout;
                      Status status = m.kind == TicketKind::kSanrenpuku ? FormatTrio(m.combination, &combination)
                                                                        : FormatPair(m.combination, &combination);
                      if (status.ok()) status = FormatPayout(m.payout, &payout);
                      if (!status.ok()) {
                        failures.Add(Status::InvalidArgument("出馬表", "出馬表の的中 " +
                                                                              common::Shown(m.combination) + ": " +
                                                                              status.ToString()));
                        return;
                      }
                      out += TaggedLine("AT")
                                 .Text(std::to_string(hit_number))
                                 .Text(AtKind(m))
                                 .Label(AtLabel(m))
                                 .Text(combination)
                                 .Text(payout)
                                 .Str();
                    });
  return out;
}

std::string TrifectaHitLines(const results::ResultsWindowState& state, common::StepFailures& failures) {
  const std::string_view record = state.CurrentPayoutRecord;
  // A race without a 3連単 result: "000000", or blank when the record carries no 3連単 block.
  if (!TrifectaHasResult(hr::SanrentanPayouts_Combination.Of(record, 0))) return {};
  std::string out;
  bool found = false;
  WalkTicketMatches(state, {TicketKind::kSanrentan}, [&](const TicketMatch& m) {
    found = true;
    if (!m.tier) return;
    std::string text;
    if (TrifectaText(m.combination, m.payout, text, failures))
      out += TaggedLine("CM").Text("1").Text(common::ToCp932(TrifectaLabel(m)) + text).Str();
  });
  if (!found) {
    std::string text;
    if (TrifectaText(hr::SanrentanPayouts_Combination.Of(record, 0), hr::SanrentanPayouts_Payout.Of(record, 0), text,
                     failures))
      out += TaggedLine("CM").Text("1").Text(text).Str();
  }
  return out;
}

}  // namespace radadovur::documents
