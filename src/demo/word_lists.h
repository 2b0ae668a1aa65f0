#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "demo/prng.h"

// Word lists of the demo week: horse names from katakana words, people's names in kanji with
// their readings, race-name words, places, farms and silks. Everything here is invented.
namespace radadovur::demo {

// A name in its three JV-Data forms.
struct Name {
  std::string text;   // full-width (katakana or kanji), UTF-8
  std::string kana;   // half-width katakana reading, UTF-8
  std::string latin;  // Latin letters
};

// A horse name of at most 9 full-width characters.
Name HorseName(Rng& rng);
// A person: surname and given name; short name of at most 4 characters.
struct PersonName {
  std::string surname, given;            // kanji
  std::string surname_kana, given_kana;  // full-width katakana
  std::string surname_latin, given_latin;
  std::string Full() const;   // surname, full-width blank, given name
  std::string Short() const;  // at most 4 characters
  std::string KanaHalf() const;
  std::string Latin() const;
};
PersonName PersonNameOf(Rng& rng);

// A race-name word in kanji and Latin letters.
struct RaceWord {
  std::string_view kanji, latin;
};
const RaceWord& PickRaceWord(Rng& rng);

std::string_view PickProductionArea(Rng& rng);
std::string FarmName(Rng& rng);
std::string OwnerName(Rng& rng);
std::string Silks(Rng& rng);

// Full-width katakana (and full-width blanks) to half-width katakana; other characters unchanged.
std::string HalfWidthKana(std::string_view utf8);

}  // namespace radadovur::demo
