#include "core/codepage.h"
#include "core/csv.h"
#include "core/date.h"
#include "core/grid.h"
#include "core/text.h"

#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

struct ValueCase : test::NamedCase {
    const char* text;
    double value;
};

class NumericValue : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValue, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(numericValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValue,
    testing::Values(ValueCase{"Empty", "", 0}, ValueCase{"LeadingSpace", " 21", 21},
                    ValueCase{"Negative", "-3", -3}, ValueCase{"TrailingLetters", "7abc", 7},
                    ValueCase{"Letters", "abc", 0}, ValueCase{"Decimal", "2.5", 2.5},
                    ValueCase{"StopsAtComma", "12,5", 12}, ValueCase{"Exponent", "1e2", 100},
                    ValueCase{"ExponentWithoutDigits", "3e", 3}, ValueCase{"SignOnly", "-", 0}),
    test::caseName);

// Halves round to the even neighbour; out of range reads as 0 instead of
// failing; signs take a space; beyond six significant digits printf's
// default would round.
TEST(NumberText, RoundsConvertsAndWritesNumbers) {
    EXPECT_EQ(roundHalfEven(2.5) + roundHalfEven(3.5) * 10 + roundHalfEven(-2.5) * 100, -158);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(40000) + toInt16(numericValue("1e400")), 0);
    EXPECT_EQ(signedText(10) + "|" + signedText(0) + "|" + signedText(-3), " 10| 0|-3");
    EXPECT_EQ(decimalText(66.6667) + "|" + decimalText(62.5) + "|" + decimalText(50),
              "66.6667|62.5|50");
    EXPECT_EQ(decimalText(1234567.5) + "|" + decimalText(0.123456789012345) + "|" +
                  decimalText(123456789),
              "1234567.5|0.123456789012345|123456789");
}

// Trimming takes at most five passes: six leading spaces lose only five.
TEST(Spaces, TrimRemovesSurroundingSpacesAndStripRemovesEvery) {
    EXPECT_EQ(trimSpaces("  Dallas Cowboys ") + "|" + trimSpaces("") + "|" + trimSpaces("   ") +
                  "|" + trimSpaces("      x"),
              "Dallas Cowboys||| x");
    EXPECT_EQ(stripSpaces(" N.Y.  Giants "), "N.Y.Giants");
}

// A character without a byte, or cut short, becomes a question mark.
TEST(CodePage, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(utf8ToCp1252("\xE2\x98\x83") + utf8ToCp1252("\xC3"), "??");
}

// A name or an argument is refused, or marked, where the code page lacks a
// character; a question mark is a character like any other.
TEST(CodePage, ExactlyRefusesAndMarkedMarksWhatTheCodePageLacks) {
    struct Case {
        const char* utf8;
        std::optional<std::string> exactly; // nothing: refused
        std::string marked;
    };
    for (const Case& c :
         {Case{"Zoë", "Zo\xEB", "Zo\xEB"}, Case{"who?", "who?", "who?"},
          Case{"a☃b", std::nullopt, "a\032b"}, Case{"Иван", std::nullopt, "\x1A\x1A\x1A\x1A"},
          Case{"a\xFF", std::nullopt, "a\x1A"}}) {
        EXPECT_EQ(utf8ToCp1252Exactly(c.utf8), c.exactly) << c.utf8;
        EXPECT_EQ(utf8ToCp1252Marked(c.utf8), c.marked) << c.utf8;
    }
}

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

TEST(Date, ParsesTheTablesAndTheDataSetsDatesOnly) {
    struct Case {
        const char* text;
        int key; // 0: no date
        int weekday;
    };
    const Case cases[] = {
        {"11/02/2010", 20101102, 3}, {"11/2/2010", 20101102, 3},
        {"12/25/2011", 20111225, 1}, {"2/29/2012", 20120229, 4},
        {"1/1/10", 20100101, 6},     {"1/1/30", 19300101, 4},
        {"2010-09-12", 20100912, 1}, {"2/29/1900", 0, 0},
        {"13/1/2010", 0, 0},         {"11/02", 0, 0},
        {"1e30/1/2010", 0, 0},       {"1/1/-1e300", 0, 0},
        {"1/1.5/2010", 0, 0},        {"", 0, 0},
        {"1/1/2010/1", 0, 0},        {"10-09-12", 0, 0},
        {" 9/12/2010", 0, 0},        {"9/12/20100", 0, 0},
    };
    for (const Case& c : cases) {
        std::optional<Date> date = Date::parse(c.text);
        EXPECT_EQ(date ? date->key() : 0, c.key) << c.text;
        EXPECT_EQ(dayOfWeek(c.text), c.weekday) << c.text;
        if (date) {
            EXPECT_EQ(date->text(), c.text);
        }
    }
    EXPECT_FALSE(Date::parse("1/1/10")->hasFullYear());
    EXPECT_TRUE(Date::parse("2010-01-01")->hasFullYear());
    EXPECT_EQ(Date::fromParts(2022, 9, 8)->text(), "9/8/2022");
    EXPECT_FALSE(Date::fromParts(2022, 2, 29));
}

TEST(Date, ComparesDaysNotTexts) {
    EXPECT_EQ(*Date::parse("11/2/2010"), *Date::parse("11/02/2010"));
    EXPECT_LT(*Date::parse("12/31/2009"), *Date::parse("1/1/10"));
    EXPECT_LT(*Date::parse("9/30/2010"), *Date::parse("2010-11-02"));

    const Date day = *Date::parse("11/02/2010");
    EXPECT_TRUE(onOrBefore("11/2/2010", day));
    EXPECT_FALSE(onOrBefore("11/03/2010", day));
    // A game without a real date counts as long past.
    EXPECT_TRUE(onOrBefore("", day));
    EXPECT_TRUE(onOrBefore("garbage", day));
    EXPECT_EQ(dayName(0) + dayName(1) + "|" + dayName(7) + dayName(8), "Sunday|Saturday");
}

// Panels set a column's alignment before they know how many columns the
// view will have; the setting must hold once the grid grows to it.
TEST(GridModel, AnAlignmentSetPastTheLastColumnHoldsWhenTheGridGrows) {
    GridModel grid;
    grid.reset(1, 2);
    grid.setColumnAlign(2, Align::Right);
    EXPECT_EQ(grid.columnAlign(1), Align::Left);
    EXPECT_EQ(grid.columnAlign(2), Align::Right);
    grid.reset(1, 3);
    EXPECT_EQ(grid.columnAlign(2), Align::Right);
    EXPECT_EQ(grid.columnAlign(3), Align::Left);
}

} // namespace
} // namespace gs
