#pragma once

#include "exchange/transport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gs::test {

// One request of each kind (list, fetch, send, remove) on "Al2010.dat",
// fetching into and sending from the local folder, which holds that file.
inline std::vector<Outcome> everyRequest(Transport& transport, const std::filesystem::path& local) {
    std::string listing;
    return {
        transport.listNames(listing),
        transport.fetch("Al2010.dat", local / "copy.dat"),
        transport.send(local / "Al2010.dat", "Al2010.dat"),
        transport.remove("Al2010.dat"),
    };
}

} // namespace gs::test
