// Writes the manual page gridslate.1 from the text of --help.
//   gridslate_manpage OUT.1

#include "app/commandline.h"
#include "app/manpage.h"
#include "core/textfile.h"
#include "core/version.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gridslate_manpage OUT.1\n";
        return 2;
    }
    gs::Status written = gs::writeFileAtomic(argv[1], gs::manPage(gs::usageText(), gs::kVersion));
    if (!written) {
        std::cerr << "gridslate_manpage: " << written.error().message << '\n';
        return 1;
    }
    return 0;
}
