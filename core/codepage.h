#pragma once

// Windows-1252, the single-byte code page of every data file the pool
// exchanges. The program keeps text as these bytes; the window layer converts
// at its boundary.

#include <optional>
#include <string>
#include <string_view>

namespace gs {

// Every byte maps to one character (the five bytes that Windows-1252 leaves
// undefined map to the C1 control characters of the same value).
std::string cp1252ToUtf8(std::string_view bytes);

// Characters outside Windows-1252 become "?"; malformed UTF-8 bytes likewise.
std::string utf8ToCp1252(std::string_view utf8);

// ASCII SUB, the control character that stands for a character the code page
// cannot carry: unlike "?", every check of names and passwords refuses it.
inline constexpr char kSubstituteCharacter = '\x1A';

// Characters outside Windows-1252 (and malformed bytes) become the substitute.
std::string utf8ToCp1252Marked(std::string_view utf8);

// Nothing when any character lies outside Windows-1252 or a byte is malformed.
std::optional<std::string> utf8ToCp1252Exactly(std::string_view utf8);

} // namespace gs
