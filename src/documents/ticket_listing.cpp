#include "documents/ticket_listing.h"

#include <functional>

#include "common/tagged_line.h"
#include "documents/formatters.h"

namespace radadovur::documents {
namespace {

using common::Status;

bool Between(std::string_view text, std::string_view low, std::string_view high) {
  return text >= low && text <= high;
}

// Tag of position p (from 1) in a list whose tiers are `tier_size` long.
std::string Tag(std::string_view stem, int p, int tier_size) {
  static constexpr char kTierLetters[] = {'H', 'J', 'F'};
  const int tier = (p - 1) / tier_size;
  return std::string(stem) + kTierLetters[tier] + std::to_string(p - tier * tier_size);
}

// The entry at position p (from 1); empty when the list has none there.
std::string_view Entry(std::span<const std::string> list, int p) {
  return static_cast<size_t>(p) <= list.size() ? std::string_view(list[p - 1]) : std::string_view();
}

// One item of a listing line: the text of `format` on `entry`, or the empty text when there is
// no ticket at the position.
using ItemFormat = std::function<Status(std::string_view, std::string*)>;
struct Item {
  std::string_view entry;
  ItemFormat format;
};

// Writes the line of position p, or reports why it cannot.
void AddLine(std::string_view stem, int p, int tier_size, std::initializer_list<Item> items,
             std::vector<std::string>& lines, common::StepFailures& failures) {
  common::TaggedLine line(Tag(stem, p, tier_size));
  line.Text(std::to_string(p));
  for (const Item& item : items) {
    std::string text;
    if (!item.entry.empty()) {
      const Status status = item.format(item.entry, &text);
      if (!status.ok()) {
        failures.Add(Status::InvalidArgument("買い目一覧", "買い目一覧 " + Tag(stem, p, tier_size) + ": " +
                                                                   status.ToString()));
        return;
      }
    }
    line.Text(text);
  }
  lines.push_back(line.Str());
}

ItemFormat Joined(std::initializer_list<size_t> starts, std::string_view separator) {
  std::vector<size_t> parts(starts);
  return [parts, separator](std::string_view entry, std::string* out) {
    if (parts.size() == 2) return JoinHorseNumbers(entry, {parts[0], parts[1]}, separator, out);
    return JoinHorseNumbers(entry, {parts[0], parts[1], parts[2]}, separator, out);
  };
}

ItemFormat BaseTrioOrder(int order) {
  return [order](std::string_view entry, std::string* out) { return FormatBaseTrioOrder(order, entry, out); };
}

constexpr int kPairTier = 6;
constexpr int kTripleTier = 7;

}  // namespace

int ListedPairCount(std::string_view registered_count) {
  if (Between(registered_count, "00", "05")) return 6;
  if (registered_count == "06") return 12;
  return 18;
}

int ListedTripleCount(std::string_view registered_count) {
  if (Between(registered_count, "00", "04")) return 4;
  if (registered_count == "05") return 7;
  if (registered_count == "06") return 14;
  return 21;
}

std::vector<std::string> CondensedTicketLines(const ListingInput& in, common::StepFailures& failures) {
  std::vector<std::string> lines;
  const TicketLists& t = in.tickets;
  for (int p = 1; p <= ListedPairCount(in.registered_count); ++p)
    AddLine("MU", p, kPairTier, {{Entry(t.umatan, p), Joined({0, 2}, "-")}}, lines, failures);

  // Predicted order in races "01" to "12", except the 伏兵 of races "01" to "08": ascending.
  for (int p = 1; p <= ListedTripleCount(in.registered_count); ++p) {
    const bool predicted_order = p <= 2 * kTripleTier ? Between(in.race_num, "01", "12")
                                                      : Between(in.race_num, "09", "12");
    const Item item = predicted_order ? Item{Entry(t.sanrentan, p), FormatBaseTrio}
                                      : Item{Entry(t.sanrenpuku, p), Joined({0, 2, 4}, "-")};
    AddLine("MS", p, kTripleTier, {item}, lines, failures);
  }
  return lines;
}

std::vector<std::string> TierTicketLines(const ListingInput& in, common::StepFailures& failures) {
  std::vector<std::string> lines;
  const TicketLists& t = in.tickets;
  for (int p = 1; p <= ListedPairCount(in.registered_count); ++p) {
    AddLine("PU", p, kPairTier,
            {{Entry(t.umaren, p), Joined({0, 2}, "-")},
             {Entry(t.umatan, p), Joined({0, 2}, kArrow)},
             {Entry(t.umatan, p), Joined({2, 0}, kArrow)}},
            lines, failures);
  }
  const bool with_trifecta = Between(in.race_num, "01", "12");
  for (int p = 1; p <= ListedTripleCount(in.registered_count); ++p) {
    const std::string_view trio = Entry(t.sanrenpuku, p);
    const std::string_view base = Entry(t.sanrentan, p);
    if (!with_trifecta) {
      AddLine("PS", p, kTripleTier, {{trio, Joined({0, 2, 4}, "-")}}, lines, failures);
      continue;
    }
    AddLine("PS", p, kTripleTier,
            {{trio, Joined({0, 2, 4}, "-")},
             {base, BaseTrioOrder(1)},
             {base, BaseTrioOrder(2)},
             {base, BaseTrioOrder(3)},
             {base, BaseTrioOrder(4)},
             {base, BaseTrioOrder(5)},
             {base, BaseTrioOrder(6)}},
            lines, failures);
  }
  return lines;
}

}  // namespace radadovur::documents
