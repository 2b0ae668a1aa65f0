#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// One line of a tagged document (result documents, race cards, hit tables): items separated by
// single commas, CR LF at the end, code page 932. A text item is quoted as it stands; a number
// item is bare; an item that holds nothing is written as nothing between its commas. Readers split
// at commas and line ends and drop the quotes, so a comma, a double quote or a line break inside a
// text is written as its full-width form (，＂ and a full-width blank for a line break) to keep the
// item count.
namespace radadovur::common {

class TaggedLine {
 public:
  // `tag`: the first item, a text (ASCII).
  explicit TaggedLine(std::string_view tag);

  // A text item; `cp932` holds code page 932 bytes.
  TaggedLine& Text(std::string_view cp932);
  // A text item given in UTF-8 (the program's own texts); a character without a CP932 form is a
  // programming error (throws, as ToCp932).
  TaggedLine& Label(std::string_view utf8);
  // A whole number, bare.
  TaggedLine& Whole(long long value);
  // An item that holds nothing.
  TaggedLine& Nothing();
  // A text item, or nothing when there is no value (a code-table lookup without a row).
  TaggedLine& TextOrNothing(const std::optional<std::string>& cp932);

  // The line with its CR LF.
  std::string Str() const { return line_ + "\r\n"; }

 private:
  void Separator() { line_ += ','; }
  std::string line_;
};

// The items of one line as TaggedLine writes it, given without its CR LF, quotes dropped: a text
// item runs from a double quote to the next one and is followed by a comma or the line's end; a
// number item is bare (digits, a "-" before them, one "."); an item that holds nothing is empty.
// InvalidArgument, naming the item, for a line that does not follow this (a quote lost or put in,
// a bare item that is no number, a CR or LF inside); `items` then holds the items before it.
Status SplitTaggedLine(std::string_view line, std::vector<std::string_view>& items);

// `cp932` with every comma, double quote and line break (CR LF, a lone CR or LF) replaced by its
// full-width form; double-byte characters are passed over whole.
std::string FullWidthSeparators(std::string_view cp932);

}  // namespace radadovur::common
