#pragma once

// Text and number conventions shared by every data file and window.
//
// All text inside the program is kept as Windows-1252 bytes, exactly as the
// data files hold it; conversion to Unicode happens only in the window layer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// The numeric value of a text: leading spaces are skipped, then a decimal
// number (sign, digits, point, exponent) is read up to the first character
// that cannot continue it. A text without a leading number is 0.
double numericValue(std::string_view text);

// Rounds halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// A numeric field read into a 16-bit integer: rounded halves-to-even; a value
// outside the 16-bit range (or not finite) reads as 0 instead of failing.
int16_t toInt16(double value);

// The shortest decimal text of a number ("10", "-3", "2.5", "66.6667").
std::string decimalText(double value);

// The decimal text with a leading space when the number is not negative
// (" 10", "-3"): the form numbers take in the old-scores file and score boxes.
std::string signedText(double value);

// The text with every space character removed.
std::string stripSpaces(std::string_view text);

// The text without its surrounding spaces. An empty text stays empty; the
// trimming makes at most five passes, so very long runs of spaces keep a rest.
std::string trimSpaces(std::string_view text);

// The fields of a line between separators, as they stand: "a,,b" gives
// "a", "" and "b"; an empty line one empty field.
std::vector<std::string> splitFields(std::string_view line, char separator = ',');

// Upper-case of the ASCII letters of a text.
std::string upperAscii(std::string_view text);

// A text from a file, in double quotes, as a message may show it: control
// characters and quotes written as \xNN, and a text longer than
// kQuotedMessageLength cut there and ended by "...", so that a hostile file
// can neither break the lines of a message nor fill the screen.
inline constexpr size_t kQuotedMessageLength = 200;
std::string quotedForMessage(std::string_view text);

} // namespace gs

namespace gs {

// True when a user name can stand in a file name: not empty, no path
// separator, no control character, and not "." or "..".
bool isSafeFileName(std::string_view name);

} // namespace gs
