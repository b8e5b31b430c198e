#include "listing.h"

namespace gs {

std::vector<std::string> parseListing(std::string_view listing) {
    std::vector<std::string> names;
    std::string name;
    for (char c : listing) {
        if (c == '\r') {
            if (!name.empty())
                names.push_back(name);
            name.clear();
        } else if (c == '\n') {
            name.clear();
        } else {
            name += c;
        }
    }
    return names;
}

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == ".")
        return false;
    if (name.find("..") != std::string_view::npos)
        return false;
    for (char c : name) {
        auto code = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || code < 0x20 || code == 0x7F)
            return false;
    }
    return true;
}

} // namespace gs
