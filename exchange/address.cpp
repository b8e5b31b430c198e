#include "address.h"

namespace gs {

namespace {

bool endsWord(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"' || c == '\'' || c == '(' ||
           c == ')' || c == '<' || c == '>' || c == '`';
}

// One word of the text, with its password masked.
std::string maskWord(std::string_view word) {
    size_t start = 0;
    size_t scheme = word.find("://");
    if (scheme != std::string_view::npos)
        start = scheme + 3;
    // The last "@" ends the user part, so a password holding "@" is masked
    // whole; an "@" in a path masks a little too much, which is harmless.
    size_t at = word.rfind('@');
    if (at == std::string_view::npos || at < start)
        return std::string(word);
    size_t colon = word.find(':', start);
    if (colon == std::string_view::npos || colon + 1 >= at)
        return std::string(word);
    std::string masked(word.substr(0, colon + 1));
    masked += "***";
    masked += word.substr(at);
    return masked;
}

} // namespace

std::string maskAddressPassword(std::string_view text) {
    std::string masked;
    masked.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (endsWord(text[i])) {
            masked += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && !endsWord(text[end]))
            ++end;
        masked += maskWord(text.substr(i, end - i));
        i = end;
    }
    return masked;
}

} // namespace gs
