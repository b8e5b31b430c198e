// A schedule CSV for "import-schedule": header
// "TeamA,TeamB,Date,Visitor,Home,Year", then one game a row.

#include "schedule/scheduleparse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    gs::ScheduleParse parse = gs::parseSchedule(text);
    // Either the rows or a reason, never both and never neither.
    if (parse.ok != parse.error.empty() || (parse.ok && parse.records.empty()))
        std::abort();
    return 0;
}
