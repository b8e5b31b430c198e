#pragma once

// The outcome of an operation that can fail: a value, or a sentence saying
// what went wrong. Lower layers return these; the caller decides what the
// person sees.

#include <expected>
#include <string>

namespace gs {

template <typename T> using Result = std::expected<T, std::string>;

// Success without a value.
using Status = std::expected<void, std::string>;

inline std::unexpected<std::string> failure(std::string reason) {
    return std::unexpected<std::string>(std::move(reason));
}

} // namespace gs
