#include "codepage.h"

#include <cstdint>

namespace gs {

namespace {

// Unicode code points of the bytes 0x80..0x9F.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The byte of a code point, or nothing outside the code page.
std::optional<char> toByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// Converts, putting the substitute in place of what the code page lacks;
// complete says whether nothing had to be substituted.
std::string convertUtf8(std::string_view utf8, char substitute, bool& complete) {
    complete = true;
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<uint8_t>(utf8[i]);
        int length = b < 0x80           ? 1
                     : (b >> 5) == 0x6  ? 2
                     : (b >> 4) == 0xE  ? 3
                     : (b >> 3) == 0x1E ? 4
                                        : 0;
        if (length == 0 || i + length > utf8.size()) {
            out += substitute;
            complete = false;
            ++i;
            continue;
        }
        char32_t cp = length == 1   ? b
                      : length == 2 ? (b & 0x1F)
                      : length == 3 ? (b & 0x0F)
                                    : (b & 0x07);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            auto next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += substitute;
            complete = false;
            ++i;
            continue;
        }
        std::optional<char> byte = toByte(cp);
        if (!byte)
            complete = false;
        out += byte.value_or(substitute);
        i += length;
    }
    return out;
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<uint8_t>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            appendUtf8(out, kHighControls[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    bool complete = true;
    return convertUtf8(utf8, '?', complete);
}

std::string utf8ToCp1252Marked(std::string_view utf8) {
    bool complete = true;
    return convertUtf8(utf8, kSubstituteCharacter, complete);
}

std::optional<std::string> utf8ToCp1252Exactly(std::string_view utf8) {
    bool complete = true;
    std::string text = convertUtf8(utf8, '?', complete);
    if (!complete)
        return std::nullopt;
    return text;
}

} // namespace gs
