#pragma once

// Windows-1252, the single-byte code page of every data file the pool
// exchanges. The program keeps text as these bytes; the window layer converts
// at its boundary.

#include <string>
#include <string_view>

namespace gs {

// Every byte maps to one character (the five bytes that Windows-1252 leaves
// undefined map to the C1 control characters of the same value).
std::string cp1252ToUtf8(std::string_view bytes);

// Characters outside Windows-1252 become "?"; malformed UTF-8 bytes likewise.
std::string utf8ToCp1252(std::string_view utf8);

} // namespace gs
