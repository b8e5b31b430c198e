#include "exchange/listing.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

struct ListingCase {
    const char* name;
    std::string listing;
    std::vector<std::string> offered;
};

void PrintTo(const ListingCase& c, std::ostream* out) {
    *out << c.name;
}

class ListingParse : public testing::TestWithParam<ListingCase> {};

TEST_P(ListingParse, OffersTheNamesEndedByCarriageReturns) {
    EXPECT_EQ(parseListing(GetParam().listing), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListingParse,
    testing::Values(
        ListingCase{"Empty", "", {}},
        ListingCase{
            "CrLfLines", "Al2010.dat\r\nscoresheet97.mdb\r\n", {"Al2010.dat", "scoresheet97.mdb"}},
        ListingCase{"LastLineWithoutCrIsLost", "Al2010.dat\r\nBo2010.dat", {"Al2010.dat"}},
        ListingCase{"LastLineEndedByLfOnlyIsLost", "Al2010.dat\r\nBo2010.dat\n", {"Al2010.dat"}},
        ListingCase{"LfOnlyLinesOfferNothing", "Al2010.dat\nBo2010.dat\n", {}},
        ListingCase{"BareCrEndsAName", "Al2010.dat\rBo2010.dat\r", {"Al2010.dat", "Bo2010.dat"}},
        ListingCase{"BlankLinesAreSkipped", "\r\n\r\nAl2010.dat\r\n\r\n", {"Al2010.dat"}},
        ListingCase{"LfBeforeCrDropsTheName", "Al2010.dat\n\r", {}},
        ListingCase{"SpacesAreKept", " Al 2010.dat \r\n", {" Al 2010.dat "}},
        ListingCase{"HostileNamesAreOfferedAsTheyCome", "../x.dat\r\n", {"../x.dat"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    std::string fileName;
    bool plain;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name;
}

class PlainFileName : public testing::TestWithParam<NameCase> {};

TEST_P(PlainFileName, AcceptsOnlyOneFileOfAFolder) {
    EXPECT_EQ(isPlainFileName(GetParam().fileName), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainFileName,
    testing::Values(
        NameCase{"PickFile", "Al2010.dat", true}, NameCase{"GamesTable", "scoresheet97.mdb", true},
        NameCase{"Hidden", ".Al2010.dat", true}, NameCase{"WithSpace", "Al Bo2010.dat", true},
        NameCase{"Windows1252Letter", "J\xe9r\xf4me2010.dat", true}, NameCase{"Empty", "", false},
        NameCase{"Dot", ".", false}, NameCase{"DotDot", "..", false},
        NameCase{"ParentPath", "../x.dat", false}, NameCase{"DotsInside", "a..b.dat", false},
        NameCase{"Slash", "pool/x.dat", false}, NameCase{"AbsolutePath", "/etc/passwd", false},
        NameCase{"Backslash", "pool\\x.dat", false}, NameCase{"CarriageReturn", "x.dat\r", false},
        NameCase{"LineFeed", "x.dat\nDELE y", false}, NameCase{"Tab", "x\t.dat", false},
        NameCase{"Delete", "x\x7f.dat", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
