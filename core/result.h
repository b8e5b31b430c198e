#pragma once

// The outcome of an operation that can fail: a value, or a sentence saying
// what went wrong. Lower layers return these; the caller decides what the
// person sees.

#include <string>
#include <utility>

#if __has_include(<expected>)
#include <expected>
#endif

#if defined(__cpp_lib_expected)

namespace gs {

template <typename T> using Result = std::expected<T, std::string>;

// Success without a value.
using Status = std::expected<void, std::string>;

inline std::unexpected<std::string> failure(std::string reason) {
    return std::unexpected<std::string>(std::move(reason));
}

} // namespace gs

#else

// libstdc++ offers std::expected only to compilers with conditionally trivial
// special members, which clang gains in version 16; the fuzzers are built
// with clang 14. This stand-in has the part of std::expected's interface the
// program uses, with the same meaning.

#include <optional>
#include <stdexcept>
#include <type_traits>
#include <variant>

namespace gs {

// A reason on its way into a Result, as std::unexpected carries it.
class Failure {
public:
    explicit Failure(std::string reason) : m_reason(std::move(reason)) {}
    const std::string& error() const& { return m_reason; }
    std::string&& error() && { return std::move(m_reason); }

private:
    std::string m_reason;
};

template <typename T> class Result {
public:
    using value_type = T;
    using error_type = std::string;

    Result() : m_state(std::in_place_index<0>) {}
    template <typename U = T,
              typename = std::enable_if_t<std::is_constructible_v<T, U&&> &&
                                          !std::is_same_v<std::remove_cvref_t<U>, Result> &&
                                          !std::is_same_v<std::remove_cvref_t<U>, Failure>>>
    Result(U&& value) : m_state(std::in_place_index<0>, std::forward<U>(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure).error()) {}

    bool has_value() const noexcept { return m_state.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }

    T& operator*() & { return std::get<0>(m_state); }
    const T& operator*() const& { return std::get<0>(m_state); }
    T&& operator*() && { return std::get<0>(std::move(m_state)); }
    T* operator->() { return &std::get<0>(m_state); }
    const T* operator->() const { return &std::get<0>(m_state); }

    T& value() & { return checked(), **this; }
    const T& value() const& { return checked(), **this; }
    T&& value() && { return checked(), *std::move(*this); }
    template <typename U> T value_or(U&& other) const& {
        return has_value() ? **this : static_cast<T>(std::forward<U>(other));
    }

    const std::string& error() const& { return std::get<1>(m_state); }
    std::string& error() & { return std::get<1>(m_state); }

private:
    void checked() const {
        if (!has_value())
            throw std::runtime_error(error());
    }
    std::variant<T, std::string> m_state;
};

template <> class Result<void> {
public:
    using value_type = void;
    using error_type = std::string;

    Result() = default;
    Result(Failure failure) : m_error(std::move(failure).error()) {}

    bool has_value() const noexcept { return !m_error; }
    explicit operator bool() const noexcept { return has_value(); }
    void operator*() const noexcept {}
    void value() const {
        if (m_error)
            throw std::runtime_error(*m_error);
    }

    const std::string& error() const& { return *m_error; }
    std::string& error() & { return *m_error; }

private:
    std::optional<std::string> m_error;
};

// Success without a value.
using Status = Result<void>;

inline Failure failure(std::string reason) {
    return Failure(std::move(reason));
}

} // namespace gs

#endif
