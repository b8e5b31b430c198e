#pragma once

// Reading a remote directory listing into file names.

#include <string>
#include <string_view>
#include <vector>

namespace gs {

// The names a listing offers, in order. The text is walked one character at
// a time: a carriage return offers the name gathered since the last line
// break, unless it is empty; a line feed drops what was gathered. A last line
// without a carriage return is therefore never offered.
std::vector<std::string> parseListing(std::string_view listing);

// True when a remote name can be fetched or written as one file of a folder:
// not empty, not ".", and without "/", "\", ".." or a control character.
bool isPlainFileName(std::string_view name);

} // namespace gs
