#include "fuzzhome.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace gs::fuzz {

namespace fs = std::filesystem;

FuzzHome::FuzzHome() {
    std::string pattern = (fs::temp_directory_path() / "gridslate-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary home under " + pattern);
    m_path = pattern;
    fs::create_directories(folders().program);
}

FuzzHome::~FuzzHome() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

const FuzzHome& FuzzHome::instance() {
    static const FuzzHome home;
    return home;
}

fs::path FuzzHome::writeDataFile(const std::string& name, const uint8_t* data, size_t size) const {
    fs::path file = folders().program / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        // A fuzzer that cannot write its input would only report noise.
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        std::abort();
    }
    return file;
}

} // namespace gs::fuzz
