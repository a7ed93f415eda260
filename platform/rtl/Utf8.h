// UTF-8 helpers. Texts are UTF-8 inside the system; lengths the operator sees are counted
// in characters (code points), not bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// Decodes the code point at text[pos] and advances pos. Malformed bytes decode as
// U+FFFD and advance by one, so a scan always terminates.
char32_t Utf8Next(std::string_view text, std::size_t& pos) noexcept;
void Utf8Append(std::string& out, char32_t cp);
std::string Utf8Encode(char32_t cp);
std::size_t Utf8Length(std::string_view text) noexcept;
// Byte offset of the character with 0-based index charIndex (text.size() past the end).
std::size_t Utf8Offset(std::string_view text, std::size_t charIndex) noexcept;
// The first `count` characters of the text.
std::string Utf8Left(std::string_view text, std::size_t count);
bool Utf8Valid(std::string_view text) noexcept;

}  // namespace rtl
