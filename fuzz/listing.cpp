// A remote folder's listing as the FTP server sends it: names ended by
// CR LF. The server is not ours, so every byte may be hostile.

#include "exchange/listing.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& name : gs::parseListing(text)) {
        if (name.empty())
            std::abort(); // an empty line is never offered
        // A name that passes may become a local file name: it must stay
        // inside the folder.
        if (gs::isPlainFileName(name) &&
            (name.find('/') != std::string::npos || name == "." || name == ".."))
            std::abort();
    }
    return 0;
}
