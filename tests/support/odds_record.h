#pragma once
#include <cstdio>
#include <map>
#include <string>

#include "jvdata/layout_odds.h"
#include "jvdata/odds_entry.h"
#include "support/record_builder.h"

// Hand-made combination odds records (O2, O4, O5, O6): every entry of an 18-horse field in the
// delivery's order, "0" filling (no odds) unless a test gives the ticket's odds.
namespace radadovur::testing {

class OddsRecordBuilder {
 public:
  // `race_id`: 16 characters, year to race number.
  OddsRecordBuilder(jvdata::RecordType type, std::string race_id)
      : type_(type), family_(*jvdata::odds::FamilyOf(type)), race_id_(std::move(race_id)) {}

  // The odds field of the ticket named by `combination` ("0307", "180216"), as it stands.
  OddsRecordBuilder& Odds(const std::string& combination, const std::string& odds_text) {
    odds_[combination] = odds_text;
    return *this;
  }
  // Entry i's Combination replaced as it stands (a blank or garbled one).
  OddsRecordBuilder& Combination(uint32_t i, const std::string& text) {
    combinations_[i] = text;
    return *this;
  }

  std::string Build() const {
    std::string r = MakeRecord(type_, {{jvdata::odds::DataCategory, "1"}, {jvdata::odds::CreatedDate, "20240802"}});
    r.replace(11, 16, race_id_);
    const bool ordered = type_ == jvdata::RecordType::O4 || type_ == jvdata::RecordType::O6;
    const bool triple = jvdata::odds::HorsesOf(family_) == 3;
    uint32_t i = 0;
    for (int a = 1; a <= 18; ++a)
      for (int b = ordered ? 1 : a + 1; b <= 18; ++b)
        for (int c = triple ? (ordered ? 1 : b + 1) : 0; c <= (triple ? 18 : 0); ++c) {
          if (b == a || (triple && (c == a || c == b))) continue;
          char comb[8];
          std::snprintf(comb, sizeof comb, triple ? "%02d%02d%02d" : "%02d%02d", a, b, c);
          std::string text = comb;
          if (auto it = combinations_.find(i); it != combinations_.end()) text = it->second;
          Put(r, family_.Combination(), i, text);
          auto odds = odds_.find(comb);
          Put(r, family_.Odds(), i, odds == odds_.end() ? std::string(family_.odds_width, '0') : odds->second);
          ++i;
        }
    return r;
  }

 private:
  static void Put(std::string& r, const jvdata::Field& f, uint32_t i, std::string text) {
    text.resize(f.width, ' ');
    r.replace(f.At(i), f.width, text);
  }

  jvdata::RecordType type_;
  const jvdata::odds::Family& family_;
  std::string race_id_;
  std::map<std::string, std::string> odds_;
  std::map<uint32_t, std::string> combinations_;
};

}  // namespace radadovur::testing
