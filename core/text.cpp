#include "text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace gs {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

double numericValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    std::string number(text.substr(start, i - start));
    if (number[0] == '+')
        number.erase(0, 1);
    double value = 0.0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return number[0] == '-' ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    return value;
}

double roundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int16_t toInt16(double value) {
    if (!std::isfinite(value))
        return 0;
    double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return 0;
    return static_cast<int16_t>(rounded);
}

std::string decimalText(double value) {
    if (value == 0.0)
        return "0";
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    // Shortest text with at most 15 significant digits that reads back the same.
    char buffer[64];
    for (int precision = 1; precision <= 15; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
        if (std::strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}

std::string signedText(double value) {
    std::string text = decimalText(value);
    return value < 0 ? text : " " + text;
}

std::string stripSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            result += c;
    return result;
}

std::string quotedForMessage(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string quoted;
    quoted.reserve(std::min(text.size(), kQuotedMessageLength) + 5);
    quoted += '"';
    size_t shown = 0;
    for (char c : text) {
        if (shown == kQuotedMessageLength) {
            quoted += "...";
            break;
        }
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"') {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        } else {
            quoted += c;
        }
        ++shown;
    }
    quoted += '"';
    return quoted;
}

std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t at; (at = line.find(separator, start)) != std::string_view::npos; start = at + 1)
        fields.emplace_back(line.substr(start, at - start));
    fields.emplace_back(line.substr(start));
    return fields;
}

std::string trimSpaces(std::string_view text) {
    std::string result(text);
    for (int pass = 0; pass < 5 && !result.empty(); ++pass) {
        if (!result.empty() && result.front() == ' ')
            result.erase(0, 1);
        if (!result.empty() && result.back() == ' ')
            result.pop_back();
        if (result.size() >= 2 && result.front() == ' ' && result.back() == ' ')
            result.erase(0, 1);
    }
    return result;
}

std::string upperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

} // namespace gs

namespace gs {

bool isSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

} // namespace gs
