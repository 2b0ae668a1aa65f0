#pragma once
#include <string_view>

// Cutting CP932 texts by characters, as the record fields are counted when a text keeps "its
// first n characters": a lead byte 0x81-0x9F or 0xE0-0xFC and the byte after it are one character.
namespace radadovur::results {

// The first `chars` characters of `bytes` (all of it when shorter).
std::string_view Cp932Left(std::string_view bytes, size_t chars);

}  // namespace radadovur::results
