#include "exchange/listing.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

using Names = std::vector<std::string>;

TEST(ParseListing, OffersTheNamesEndedByCarriageReturns) {
    struct Case {
        const char* name;
        std::string listing;
        Names offered;
    };
    const Case cases[] = {
        {"Empty", "", {}},
        {"CrLfLines", "Al2010.dat\r\nscoresheet97.mdb\r\n", {"Al2010.dat", "scoresheet97.mdb"}},
        {"LastLineWithoutCrIsLost", "Al2010.dat\r\nBo2010.dat", {"Al2010.dat"}},
        {"LastLineEndedByLfOnlyIsLost", "Al2010.dat\r\nBo2010.dat\n", {"Al2010.dat"}},
        {"LfOnlyLinesOfferNothing", "Al2010.dat\nBo2010.dat\n", {}},
        {"BareCrEndsAName", "Al2010.dat\rBo2010.dat\r", {"Al2010.dat", "Bo2010.dat"}},
        {"BlankLinesAreSkipped", "\r\n\r\nAl2010.dat\r\n\r\n", {"Al2010.dat"}},
        {"LfBeforeCrDropsTheName", "Al2010.dat\n\r", {}},
        {"SpacesAreKept", " Al 2010.dat \r\n", {" Al 2010.dat "}},
        {"HostileNamesAreOfferedAsTheyCome", "../x.dat\r\n", {"../x.dat"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseListing(c.listing), c.offered) << c.name;
}

TEST(PlainFileName, AcceptsOnlyOneFileOfAFolder) {
    for (const char* plain :
         {"Al2010.dat", "scoresheet97.mdb", ".Al2010.dat", "Al Bo2010.dat", "J\xe9r\xf4me2010.dat"})
        EXPECT_TRUE(isPlainFileName(plain)) << plain;
    for (const char* path : {"", ".", "..", "../x.dat", "a..b.dat", "pool/x.dat", "/etc/passwd",
                             "pool\\x.dat", "x.dat\r", "x.dat\nDELE y", "x\t.dat", "x\x7f.dat"})
        EXPECT_FALSE(isPlainFileName(path)) << path;
}

} // namespace
} // namespace gs
