#pragma once

#include "utilities/help.h"

#include <string>
#include <vector>

namespace gs::test {

// Records the addresses it is asked to open instead of starting a browser;
// fails every request when works is false.
class RecordingOpener : public Opener {
public:
    bool open(const std::string& address) override {
        opened.push_back(address);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

} // namespace gs::test
