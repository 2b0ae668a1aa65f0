#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/status.h"

// The one text form of tickets and payouts in every document, hit line and page: horse numbers
// right-aligned in two characters joined by "-" (unordered tickets) or "→" (ordered tickets), a
// bracket pair as two digits joined by "-", a payout without its leading zeros.
//
// Each formatter takes the field it formats (fixed-width digit texts of the payout record and of
// the ticket lists) and writes its text, in CP932 bytes, to *out. A field that is blank
// throughout (exactly as wide as the field) is an entry without a payout and gives the empty
// text. A part that does not read as a number (letters, blanks only, nothing because the field is
// too short) is an InvalidArgument failure and leaves *out empty.
namespace radadovur::documents {

// "→" in CP932.
inline constexpr std::string_view kArrow = "\x81\xA8";

// A 2-character part read as a whole number (blanks around the digits allowed), written after
// one blank and cut to its last two characters: "07" gives " 7", "12" gives "12", "3 " gives " 3".
common::Status TwoCharacterNumber(std::string_view part, std::string* out);

// Trio combination aabbcc (6): " 7-12- 3" and " 7→12→ 3".
common::Status FormatTrio(std::string_view combination, std::string* out);
common::Status FormatTrioOrdered(std::string_view combination, std::string* out);
// Pair combination aabb (4): " 3- 7" and "15→ 3".
common::Status FormatPair(std::string_view combination, std::string* out);
common::Status FormatPairOrdered(std::string_view combination, std::string* out);
// Horse number (2): " 7".
common::Status FormatUmaban(std::string_view horse_number, std::string* out);
// Payout amount (9 digits of yen): the whole number of 32 bits without leading zeros.
common::Status FormatPayout(std::string_view amount, std::string* out);
// Bracket pair (2, one digit per bracket): "3-5".
common::Status FormatBracketPair(std::string_view brackets, std::string* out);

// Two-character numbers of the 2-character parts of a ticket-list entry that start at the given
// characters (0-based), joined by `separator`: ({2, 0}, kArrow) on "0307" gives " 7→ 3". No
// blank test: a ticket entry always names its horses.
common::Status JoinHorseNumbers(std::string_view entry, std::initializer_list<size_t> starts,
                                std::string_view separator, std::string* out);

// The base triple of the six 3連単 tickets of a triple position (a 3連単 ticket-list entry, its
// horses a, b, c in predicted order). No blank test: a blank entry fails.
// " 7-12- 3" for 071203.
common::Status FormatBaseTrio(std::string_view base_trio, std::string* out);
// The 3連単 ticket of order 1 to 6 (第1順 a→b→c, 第2順 a→c→b, 第3順 b→a→c, 第4順 b→c→a,
// 第5順 c→a→b, 第6順 c→b→a); another order is an InvalidArgument failure.
common::Status FormatBaseTrioOrder(int order, std::string_view base_trio, std::string* out);

}  // namespace radadovur::documents
