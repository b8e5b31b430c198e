#include "manpage.h"

#include <sstream>
#include <vector>

namespace gs {

namespace {

// Where an explanation starts in a line of the usage text.
constexpr size_t kExplanationColumn = 29;

// Text as roff reads it literally: backslashes doubled, a leading dot or
// apostrophe escaped, and hyphens of options kept as hyphens.
std::string roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\''))
        out.insert(0, "\\&");
    return out;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// A term in bold, its arguments (the words after the first) in italics.
std::string term(const std::string& text) {
    std::istringstream words(text);
    std::string word;
    std::string out;
    bool first = true;
    while (words >> word) {
        out += first ? "\\fB" + roff(word) + "\\fR" : " \\fI" + roff(word) + "\\fR";
        first = false;
    }
    return out;
}

} // namespace

std::string manPage(const std::string& usage, const std::string& version) {
    std::vector<std::string> lines;
    std::istringstream in(usage);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);

    std::string out = ".TH GRIDSLATE 1 \"\" \"Gridslate " + version + "\" \"User Commands\"\n";
    out += ".SH NAME\ngridslate \\- run a weekly football picks pool\n";
    size_t at = 0;
    if (at < lines.size() && lines[at].starts_with("Usage: ")) {
        out += ".SH SYNOPSIS\n" + term(lines[at].substr(7)) + "\n";
        ++at;
    }
    out += ".SH DESCRIPTION\n";
    for (; at < lines.size() && !lines[at].empty(); ++at)
        out += roff(lines[at]) + "\n";

    for (; at < lines.size(); ++at) {
        const std::string& line = lines[at];
        if (line.empty())
            continue;
        if (line.back() == ':' && line.front() != ' ') {
            std::string heading = line.substr(0, line.size() - 1);
            for (char& c : heading)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            out += ".SH " + heading + "\n";
            continue;
        }
        bool continuation =
            line.size() > kExplanationColumn && line.find_first_not_of(' ') >= kExplanationColumn;
        if (continuation) {
            out += roff(trimmed(line)) + "\n";
            continue;
        }
        // A term ends where two spaces set its explanation apart; a term too
        // long for its column stands on a line of its own.
        std::string entry = trimmed(line);
        size_t gap = entry.find("  ");
        out += ".TP\n" + term(entry.substr(0, gap)) + "\n";
        if (gap != std::string::npos)
            out += roff(trimmed(entry.substr(gap))) + "\n";
    }
    out += ".SH SEE ALSO\nThe user manual, GSLT_manual.pdf, opened by \\fBUser Manual\\fR of the "
           "Help menu (F1).\n";
    return out;
}

} // namespace gs
