#include "common/cp932.h"

#include <gtest/gtest.h>

namespace radadovur {
namespace {

TEST(Cp932, SystemTextsRoundTrip) {
  struct Case {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"①", "\x87\x40"},
      {"～", "\x81\x60"},
      {"┃", "\x84\xAB"},
      {"\\", "\x5C"},  // stays a backslash, not a yen sign
      {"~", "\x7E"},
      {"ｱｲｳ", "\xB1\xB2\xB3"},
      {"構造体処理終了", "\x8D\x5C\x91\xA2\x91\xCC\x8F\x88\x97\x9D\x8F\x49\x97\xB9"},
  };
  for (const auto& c : cases) {
    auto enc = common::EncodeCp932(c.utf8);
    ASSERT_TRUE(enc) << c.utf8;
    EXPECT_EQ(*enc, c.bytes) << c.utf8;
    auto dec = common::DecodeCp932(*enc);
    ASSERT_TRUE(dec);
    EXPECT_EQ(*dec, c.utf8);
  }
}

TEST(Cp932, NoSilentSubstitutes) {
  EXPECT_FALSE(common::EncodeCp932("\xF0\x9F\x98\x80"));  // an emoji has no CP932 form
  EXPECT_FALSE(common::EncodeCp932("¥"));                     // would come back as a backslash
  EXPECT_THROW(common::ToCp932("\xF0\x9F\x98\x80"), std::runtime_error);
  EXPECT_FALSE(common::DecodeCp932("\x81"));      // lead byte without its trail byte
  EXPECT_FALSE(common::DecodeCp932("A\xA0" "B")); // undefined single byte
  EXPECT_EQ(common::DecodeCp932Lossy("A\xA0" "B\x87\x40"), "A\\xA0B①");
  EXPECT_EQ(common::DecodeCp932Lossy("\x81"), "\\x81");
}

// Field bytes shown in a grid or a text box: control characters are blanks, never an empty box.
TEST(Cp932, DisplayTextShowsControlBytesAsBlanks) {
  struct Case {
    std::string bytes;
    std::string shown;
  } cases[] = {
      {std::string(36, '\0'), std::string(36, ' ')},            // a field of zero bytes
      {std::string("\x83\x65\x00\x0D\x0A\x09\x7F", 7), "テ     "},  // after a character
      {"\x81\x40\x81\x40", "　　"},                          // full-width blanks stay
      {"A\xA0" "B", "A\\xA0B"},                                 // not CP932: as DecodeCp932Lossy shows it
  };
  for (const auto& c : cases) EXPECT_EQ(common::DisplayText(c.bytes), c.shown) << c.shown;
}

TEST(Utf8, CountsCharactersNotBytes) {
  const std::string s = "構造体ABC";
  EXPECT_EQ(common::Utf8Length(s), 6u);
  EXPECT_EQ(common::Utf8Left(s, 2), "構造");
  EXPECT_EQ(common::Utf8Right(s, 4), "体ABC");
  EXPECT_EQ(common::Utf8Left(s, 10), s);
  EXPECT_EQ(common::Utf8Right(s, 0), "");
}

}  // namespace
}  // namespace radadovur
