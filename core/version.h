#pragma once

// The program's version, from the build (the project version in CMake).

namespace gs {

inline constexpr const char* kVersion = GRIDSLATE_VERSION;

} // namespace gs
