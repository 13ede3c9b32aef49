#pragma once
// UTF-8 inside, code page 932 at the edges. Every conversion between the two goes through here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// The CP932 bytes of a UTF-8 text, or nullopt when some character has no CP932 code.
// Characters with a one-way mapping (〜 U+301C to 81 60, ¥ to 5C, ...) convert as Windows does.
std::optional<std::string> ToCp932(std::string_view utf8);

// True when the text converts to CP932 and reads back as exactly the same UTF-8; only then can
// it be stored as CP932 without changing it.
bool RoundTripsCp932(std::string_view utf8);

// The UTF-8 text of CP932 bytes. A byte sequence that is not CP932 becomes U+FFFD, one per byte.
std::string FromCp932(std::string_view cp932);

// The number of CP932 bytes of a UTF-8 text; a character CP932 cannot encode counts 2.
std::size_t Cp932Length(std::string_view utf8);

// The longest head of the text whose CP932 length is at most maxBytes, never splitting a character.
std::string CutToCp932Bytes(std::string_view utf8, std::size_t maxBytes);

// True when byte b can start a two-byte CP932 character.
bool IsCp932LeadByte(unsigned char b);

// True when the byte at index of a CP932 byte string is the second byte of a two-byte character
// (for example the 5C of 表, which must not be taken for a "\").
bool IsCp932TrailByte(std::string_view cp932, std::size_t index);

// UTF-16 (the archive's wide string form) to and from UTF-8. Unpaired surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace text
