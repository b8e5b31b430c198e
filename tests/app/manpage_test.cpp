#include "app/manpage.h"

#include "app/commandline.h"

#include <gtest/gtest.h>
#include <sstream>

namespace gs {
namespace {

// Every option and every command of --help is an entry of the manual page,
// in bold with its arguments in italics.
TEST(ManPage, HoldsEveryEntryOfTheHelpText) {
    const std::string page = manPage(usageText(), "9.9.9");
    EXPECT_TRUE(page.starts_with(".TH GRIDSLATE 1 \"\" \"Gridslate 9.9.9\" \"User Commands\"\n"));
    EXPECT_NE(page.find(".SH SYNOPSIS\n\\fBgridslate\\fR \\fI[OPTIONS]\\fR \\fI[COMMAND\\fR "
                        "\\fI\\&...]\\fR\n"),
              std::string::npos)
        << page;
    int entries = 0;
    std::istringstream help(usageText());
    for (std::string line; std::getline(help, line);) {
        // An entry starts two spaces in; its explanation's lines further in.
        if (!line.starts_with("  ") || line[2] == ' ')
            continue;
        std::string name = line.substr(2, line.find(' ', 2) - 2);
        std::string escaped;
        for (char c : name)
            escaped += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(page.find(".TP\n\\fB" + escaped + "\\fR"), std::string::npos) << name;
        ++entries;
    }
    EXPECT_GE(entries, 19); // the options and the commands
    // A term too long for its column keeps its arguments whole.
    EXPECT_NE(
        page.find(".TP\n\\fBimport\\-scores\\fR \\fI[\\-\\-overwrite]\\fR \\fIFILE.csv\\fR\n"),
        std::string::npos);
}

} // namespace
} // namespace gs
