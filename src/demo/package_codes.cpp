#include "demo/package_codes.h"

#include <algorithm>

namespace radadovur::demo {
namespace {

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Item 12 by sex digit and month-age, males first, each sex from the youngest month-age the
// surface allows up to 59 (the factor viewer charts the categories by these positions).
std::vector<std::string> AgeCodes(engine::ModelSurface surface) {
  std::vector<std::string> codes;
  const int youngest = surface == engine::ModelSurface::kHurdle ? 40 : 27;
  for (char sex : {'1', '2', '3'})
    for (int m = youngest; m <= 59; ++m) {
      if (sex == '3' && m >= 27 && m <= 33) continue;  // no geldings that young
      codes.push_back(sex + Two(m));
    }
  return codes;
}

}  // namespace

ItemCodeLists DemoItemCodes(const WeekItemCodes& week, engine::ModelSurface surface) {
  auto coded = week[static_cast<size_t>(surface)];
  for (int item : {17, 29})
    for (int v = 0; v <= 15; ++v) coded[static_cast<size_t>(item)].insert(std::to_string(v));
  coded[9].insert("060");
  coded[26].insert("0057");
  coded[7].insert("13");
  ItemCodeLists lists;
  for (size_t i = 1; i <= static_cast<size_t>(engine::kFactorItems); ++i) lists[i].assign(coded[i].begin(), coded[i].end());
  // Item 12 keeps its full layout; a code the week gave beyond it follows.
  std::vector<std::string> ages = AgeCodes(surface);
  for (const std::string& code : lists[12])
    if (std::find(ages.begin(), ages.end(), code) == ages.end()) ages.push_back(code);
  lists[12] = std::move(ages);
  return lists;
}

}  // namespace radadovur::demo
