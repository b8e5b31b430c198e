#include "core/codepage.h"
#include "core/text.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

struct ValueCase {
    const char* name;
    const char* text;
    double value;
};

class NumericValue : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValue, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(numericValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValue,
    testing::Values(ValueCase{"Empty", "", 0}, ValueCase{"Plain", "21", 21},
                    ValueCase{"LeadingSpace", " 21", 21}, ValueCase{"Negative", "-3", -3},
                    ValueCase{"TrailingLetters", "7abc", 7}, ValueCase{"Letters", "abc", 0},
                    ValueCase{"Decimal", "2.5", 2.5}, ValueCase{"StopsAtComma", "12,5", 12},
                    ValueCase{"LonePoint", ".", 0}, ValueCase{"Exponent", "1e2", 100},
                    ValueCase{"ExponentWithoutDigits", "3e", 3}, ValueCase{"SignOnly", "-", 0},
                    ValueCase{"PlusSign", "+4", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4), 2);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(40000), 0);
    EXPECT_EQ(toInt16(-40000), 0);
    EXPECT_EQ(toInt16(numericValue("1e400")), 0);
}

TEST(NumberText, SignSpaceOnlyWhenNotNegative) {
    EXPECT_EQ(signedText(10), " 10");
    EXPECT_EQ(signedText(0), " 0");
    EXPECT_EQ(signedText(-3), "-3");
    EXPECT_EQ(decimalText(66.6667), "66.6667");
    EXPECT_EQ(decimalText(62.5), "62.5");
    EXPECT_EQ(decimalText(50), "50");
}

TEST(Spaces, TrimAndStrip) {
    EXPECT_EQ(TrimSpaces("  Dallas Cowboys "), "Dallas Cowboys");
    EXPECT_EQ(TrimSpaces(""), "");
    EXPECT_EQ(TrimSpaces("      x"), " x"); // six leading spaces lose only five
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(StripSpaces(" N.Y.  Giants "), "N.Y.Giants");
}

TEST(SafeFileName, RefusesPathsAndControlCharacters) {
    EXPECT_TRUE(isSafeFileName("ann"));
    EXPECT_TRUE(isSafeFileName("Mary Jo"));
    EXPECT_FALSE(isSafeFileName(""));
    EXPECT_FALSE(isSafeFileName(".."));
    EXPECT_FALSE(isSafeFileName("../x"));
    EXPECT_FALSE(isSafeFileName("a\\b"));
    EXPECT_FALSE(isSafeFileName("a\nb"));
}

TEST(CodePage, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(cp1252ToUtf8("\xE9"), "\xC3\xA9");     // e acute
    EXPECT_EQ(utf8ToCp1252("\xE2\x98\x83"), "?");    // snowman has no byte
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?");            // cut short
}

} // namespace
} // namespace gs
