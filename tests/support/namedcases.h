#pragma once

// The rows of a parameterised table are named: gtest prints a row by its
// name, and the name generator gives each instantiated test that name.
//
//   struct Row : test::NamedCase { std::string text; };
//   INSTANTIATE_TEST_SUITE_P(Texts, Rows, testing::Values(Row{"Empty", ""}), test::caseName);

#include <concepts>
#include <ostream>
#include <string>

namespace gs::test {

struct NamedCase {
    const char* name;
};

template <std::derived_from<NamedCase> Case> void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

inline constexpr auto caseName = [](const auto& info) { return std::string(info.param.name); };

} // namespace gs::test
