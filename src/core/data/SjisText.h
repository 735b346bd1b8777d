#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vokamo {

// Shift-JIS (code page 932) helpers. A lead byte 0x81-0x9F or 0xE0-0xFC takes
// the next byte with it; everything else, half-width katakana 0xA1-0xDF
// included, is one byte. Second bytes may be 0x40-0x7E, so "@", "_" and A-Z
// occur inside double-byte characters and must never be looked at alone.

bool IsSjisLead(unsigned char b);

// Byte length of the character starting at text[pos] (1 or 2; 1 for a lead
// byte at the very end).
size_t SjisCharLen(std::string_view text, size_t pos);

// Number of characters.
size_t SjisCharCount(std::string_view text);

// The first n bytes, without leaving half a character at the end.
std::string SjisCut(std::string_view text, size_t n);

// The first n characters.
std::string SjisFirstChars(std::string_view text, size_t n);

// A-Z to a-z (and back), leaving double-byte characters whole.
std::string SjisLowerAscii(std::string_view text);
std::string SjisUpperAscii(std::string_view text);

// Conversion for display and for our own literals, through iconv's CP932.
// Utf8ToSjis gives nullopt when a character cannot be held by CP932.
std::optional<std::string> Utf8ToSjis(std::string_view utf8);
std::optional<std::string> SjisToUtf8(std::string_view sjis);
// For messages: undecodable bytes become U+FFFD.
std::string SjisToUtf8Lossy(std::string_view sjis);
// A literal of the program (UTF-8 source text) in Shift-JIS; the literal
// must be representable.
std::string Sjis(std::string_view utf8Literal);

}  // namespace vokamo
