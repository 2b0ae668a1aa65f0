#pragma once
#include <optional>
#include <string>
#include <string_view>

// Code page 932 text. Records and files hold CP932 bytes; the program's own texts are written in
// the source as UTF-8 and converted once. Conversion goes through glibc iconv "CP932" (not
// "SHIFT_JIS", which maps 0x5C to the yen sign and has no circled digits).
namespace radadovur::common {

// UTF-8 -> CP932; nullopt when a character has no CP932 form (never a silent substitute).
std::optional<std::string> EncodeCp932(std::string_view utf8);
// As EncodeCp932, but a missing form is a programming error: throws std::runtime_error.
std::string ToCp932(std::string_view utf8);

// CP932 -> UTF-8; nullopt when the bytes are not valid CP932.
std::optional<std::string> DecodeCp932(std::string_view bytes);
// For display: invalid bytes are shown as \xNN and decoding goes on.
std::string DecodeCp932Lossy(std::string_view bytes);
// Field bytes as a grid cell or a text box shows them: as DecodeCp932Lossy, and every control
// character (NUL padding, line ends, DEL, C1) a blank, so that no cell shows an empty box.
std::string DisplayText(std::string_view bytes);

// Characters (code points) of a UTF-8 text, and its first / last n characters.
size_t Utf8Length(std::string_view utf8);
std::string Utf8Left(std::string_view utf8, size_t n);
std::string Utf8Right(std::string_view utf8, size_t n);

}  // namespace radadovur::common
