#pragma once

// The one reader of comma-separated files (RFC 4180): fields separated by
// commas, records by CR LF, LF or a lone CR; a field in double quotes may
// hold commas, line breaks and doubled quotes. A UTF-8 byte-order mark at
// the start is dropped. Every CSV file the program reads goes through it,
// so a file that one import accepts reads the same everywhere.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

struct CsvRecord {
    size_t line = 0; // the line of the file where the record starts, from 1
    std::vector<std::string> fields;
    // A line with nothing on it: one empty field that was not quoted.
    // Readers decide whether such a line counts as a row.
    bool blank = false;
};

struct CsvText {
    std::vector<CsvRecord> records; // blank lines included
    // "line N: a quoted field is not closed" when the text ends inside
    // quotes; the records are then empty.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Splits a whole text into records. Text after a closing quote, and quotes
// inside a field that does not start with one, are kept as they stand: a
// spreadsheet's stray quote does not swallow the rest of the file.
CsvText readCsv(std::string_view text);

} // namespace gs
