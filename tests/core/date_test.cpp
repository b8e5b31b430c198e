#include "core/date.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

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

    EXPECT_TRUE(onOrBefore("11/2/2010", "11/02/2010"));
    EXPECT_FALSE(isBefore("11/2/2010", "11/02/2010"));
    EXPECT_TRUE(isBefore("11/1/2010", "11/02/2010"));
    EXPECT_FALSE(onOrBefore("11/03/2010", "11/02/2010"));
    // A game without a real date counts as long past.
    EXPECT_TRUE(isBefore("", "11/02/2010"));
    EXPECT_TRUE(onOrBefore("garbage", "11/02/2010"));
    EXPECT_EQ(dayName(0) + dayName(1) + "|" + dayName(7) + dayName(8), "Sunday|Saturday");
}

} // namespace
} // namespace gs
