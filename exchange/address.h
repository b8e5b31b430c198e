#pragma once

// Exchange addresses as they are shown and printed.

#include <string>
#include <string_view>

namespace gs {

// The text with the password of every address in it replaced by "***":
// "Bad URL ann:secret@host/dir" -> "Bad URL ann:***@host/dir". An address is
// recognised with or without a scheme such as "ftp://", anywhere in a longer
// text; the password is what lies between the first ":" of the user part
// and its last "@".
std::string maskAddressPassword(std::string_view text);

} // namespace gs
