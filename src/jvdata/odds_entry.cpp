#include "jvdata/odds_entry.h"

namespace radadovur::jvdata::odds {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Two characters holding a horse number 1 to 18, a leading blank allowed; -1 otherwise.
int HorseNumber(std::string_view two) {
  if (two.size() != 2 || !IsDigit(two[1]) || !(IsDigit(two[0]) || two[0] == ' ')) return -1;
  const int n = (two[0] == ' ' ? 0 : (two[0] - '0') * 10) + (two[1] - '0');
  return n >= 1 && n <= kMaxHorseNumber ? n : -1;
}

// Tenths from an Odds field: leading blanks, then nothing but digits; -1 otherwise.
int32_t Tenths(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  if (at == text.size()) return -1;
  int32_t value = 0;
  for (; at < text.size(); ++at) {
    if (!IsDigit(text[at])) return -1;
    value = value * 10 + (text[at] - '0');
  }
  return value;
}

}  // namespace

const Family* FamilyOf(RecordType type) {
  switch (type) {
    case RecordType::O2: return &kQuinella;
    case RecordType::O4: return &kExacta;
    case RecordType::O5: return &kTrio;
    case RecordType::O6: return &kTrifecta;
    default: return nullptr;
  }
}

EntryRead ReadEntry(const Family& f, std::string_view record, uint32_t i, EntryOdds& out) {
  const std::string_view comb = f.Combination().Of(record, i);
  if (comb.size() != f.comb_width) return EntryRead::kBadHorse;
  if (comb.find_first_not_of("0 ") == std::string_view::npos) return EntryRead::kNoHorse;
  out.horses = {0, 0, 0};
  for (uint32_t k = 0; k < HorsesOf(f); ++k) {
    const int n = HorseNumber(comb.substr(2 * k, 2));
    if (n < 0) return EntryRead::kBadHorse;
    out.horses[k] = n;
  }
  const std::string_view odds = f.Odds().Of(record, i);
  if (odds.size() != f.odds_width) return EntryRead::kBadOdds;
  if (IsNoOdds(odds)) {
    out.tenths = 0;
    return EntryRead::kOk;
  }
  const int32_t tenths = Tenths(odds);
  if (tenths < 0) return EntryRead::kBadOdds;
  out.tenths = tenths;
  return EntryRead::kOk;
}

}  // namespace radadovur::jvdata::odds
