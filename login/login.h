#pragma once

// Logging in and out of the main window.

namespace gs {

// "Login": admits the name typed in Text1 when it stands in the user list as
// an active player and the password in Text2 matches the stored one.
void Command12_Click();

// "Logout of Session".
void mnuItemLogout_Click();

} // namespace gs
