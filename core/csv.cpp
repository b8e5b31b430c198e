#include "csv.h"

namespace gs {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

CsvText readCsv(std::string_view text) {
    CsvText csv;
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    const size_t n = text.size();
    size_t i = 0;
    size_t line = 1;
    while (i < n) {
        CsvRecord record{line, {}, false};
        bool quoted = false;
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                quoted = true;
                const size_t openedOn = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        csv.records.clear();
                        csv.error =
                            "line " + std::to_string(openedOn) + ": a quoted field is not closed";
                        return csv;
                    }
                    char c = text[i++];
                    if (c == '"') {
                        if (i < n && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n' || (c == '\r' && (i >= n || text[i] != '\n')))
                        ++line;
                    field += c;
                }
            }
            size_t start = i;
            while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                ++i;
            field.append(text.substr(start, i - start));
            record.fields.push_back(std::move(field));
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < n && text[i] == '\r')
                ++i;
            if (i < n && text[i] == '\n')
                ++i;
            ++line;
            break;
        }
        record.blank = !quoted && record.fields.size() == 1 && record.fields[0].empty();
        csv.records.push_back(std::move(record));
    }
    return csv;
}

} // namespace gs
