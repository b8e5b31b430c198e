// The pool's user list as a player's download receives it from the shared
// place: read whole or refused, then merged into this machine's list.

#include "exchange/poollist.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gs;
    Result<PoolList> list =
        parsePoolList(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!list)
        return 0;
    const std::vector<std::string> local = {"2010", "admin,1,9,1,klm,0,/h/data",
                                            "PC,1,1,0,Z,0,/h/data", "Ann,1,5,0,abc,0,/h/data"};
    (void)mergePoolList(local, *list, {"Old"}, {"Bob"}, "/h/data", "Ann");
    return 0;
}
