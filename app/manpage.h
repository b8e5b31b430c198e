#pragma once

// The manual page gridslate.1, made from the text of --help so that the two
// never tell different stories.

#include <string>

namespace gs {

// The usage text as a manual page in roff: its first line the synopsis,
// its second the description, and each "Options:" or "Commands:" section a
// list of terms with their explanations.
std::string manPage(const std::string& usage, const std::string& version);

} // namespace gs
