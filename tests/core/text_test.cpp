#include "core/codepage.h"
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

} // namespace
} // namespace gs
