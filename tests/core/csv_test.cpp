#include "core/csv.h"

#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

// Records as "line:field|field" lines, blank ones marked "(blank)".
std::string dump(const CsvText& csv) {
    if (!csv.ok())
        return csv.error;
    std::string text;
    for (const CsvRecord& record : csv.records) {
        text += std::to_string(record.line) + ":";
        for (size_t f = 0; f < record.fields.size(); ++f)
            text += (f ? "|" : "") + record.fields[f];
        text += record.blank ? " (blank)\n" : "\n";
    }
    return text;
}

struct CsvCase : test::NamedCase {
    std::string text;
    std::string records;
};

class ReadCsv : public testing::TestWithParam<CsvCase> {};

TEST_P(ReadCsv, SplitsRecordsAndFields) {
    EXPECT_EQ(dump(readCsv(GetParam().text)), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadCsv,
    testing::Values(CsvCase{"CrLfAndLoneCrAndNoLastLineEnd", "a,b\r\nc\rd,", "1:a|b\n2:c\n3:d|\n"},
                    CsvCase{"ByteOrderMarkDropped", "\xEF\xBB\xBFTeamA,TeamB\n", "1:TeamA|TeamB\n"},
                    CsvCase{"QuotedCommaQuoteAndLineBreak", "\"a,\"\"b\"\"\r\nc\",d\ne\n",
                            "1:a,\"b\"\r\nc|d\n3:e\n"},
                    CsvCase{"QuotedEmptyFieldIsNoBlankLine", "\"\"\n\n", "1:\n2: (blank)\n"},
                    CsvCase{"TextAfterClosingQuoteKept", "\"ab\"c,d\n", "1:abc|d\n"},
                    CsvCase{"QuoteInsideUnquotedFieldKept", "x\"y,z\n", "1:x\"y|z\n"},
                    CsvCase{"UnclosedQuoteNamesItsLine", "a\n\"b\nc\n",
                            "line 2: a quoted field is not closed"},
                    CsvCase{"Empty", "", ""}),
    test::caseName);

} // namespace
} // namespace gs
