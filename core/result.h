#pragma once

// The outcome of an operation that can fail: a value, or an Error saying
// what kind of failure it was and, in a sentence, what went wrong. Lower
// layers return these; the caller decides what the person sees.

#include <string>
#include <utility>

#if __has_include(<expected>)
#include <expected>
#endif

namespace gs {

// What kind of failure it was; the message carries the detail.
enum class ErrorKind {
    NotFound,     // no such file, folder or season
    Unreadable,   // there, but cannot be read (no right, a folder, too large, ...)
    Unwritable,   // cannot be created, written, replaced or removed
    Malformed,    // read, but not in the form the program needs
    NoGamesTable, // a database without the games table, or with one lacking a field
    Changed,      // another program changed it meanwhile
    Busy,         // another program holds the pool's files or the games table
    Refused,      // input the program does not take: a name, a setting, a file, ...
};

struct Error {
    ErrorKind kind = ErrorKind::Unreadable;
    std::string message;
    bool operator==(const Error&) const = default;
};

} // namespace gs

#if defined(__cpp_lib_expected)

namespace gs {

template <typename T> using Result = std::expected<T, Error>;

// Success without a value.
using Status = std::expected<void, Error>;

inline std::unexpected<Error> failure(ErrorKind kind, std::string message) {
    return std::unexpected<Error>(Error{kind, std::move(message)});
}

// Passes on a failure as it came.
inline std::unexpected<Error> failure(Error error) {
    return std::unexpected<Error>(std::move(error));
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

// An error on its way into a Result, as std::unexpected carries it.
class Failure {
public:
    explicit Failure(Error error) : m_error(std::move(error)) {}
    const Error& error() const& { return m_error; }
    Error&& error() && { return std::move(m_error); }

private:
    Error m_error;
};

template <typename T> class Result {
public:
    using value_type = T;
    using error_type = Error;

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
    template <typename U> T value_or(U&& other) && {
        return has_value() ? *std::move(*this) : static_cast<T>(std::forward<U>(other));
    }

    const Error& error() const& { return std::get<1>(m_state); }
    Error& error() & { return std::get<1>(m_state); }

private:
    void checked() const {
        if (!has_value())
            throw std::runtime_error(error().message);
    }
    std::variant<T, Error> m_state;
};

template <> class Result<void> {
public:
    using value_type = void;
    using error_type = Error;

    Result() = default;
    Result(Failure failure) : m_error(std::move(failure).error()) {}

    bool has_value() const noexcept { return !m_error; }
    explicit operator bool() const noexcept { return has_value(); }
    void operator*() const noexcept {}
    void value() const {
        if (m_error)
            throw std::runtime_error(m_error->message);
    }

    const Error& error() const& { return *m_error; }
    Error& error() & { return *m_error; }

private:
    std::optional<Error> m_error;
};

// Success without a value.
using Status = Result<void>;

inline Failure failure(ErrorKind kind, std::string message) {
    return Failure(Error{kind, std::move(message)});
}

// Passes on a failure as it came.
inline Failure failure(Error error) {
    return Failure(std::move(error));
}

} // namespace gs

#endif

namespace gs {

// True when the result failed, and failed with that kind.
template <typename T> bool failedWith(const Result<T>& result, ErrorKind kind) {
    return !result && result.error().kind == kind;
}

} // namespace gs
