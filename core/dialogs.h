#pragma once

// How the logic talks to the person: message boxes, OK/Cancel questions and
// input boxes. The window layer implements it with real dialogs, the command
// line writes messages to standard error, and tests use a scripted fake.

#include <string>

namespace gs {

// The title of the program's own information messages.
inline constexpr const char* kProgramTitle = "Gridslate";

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an OK button.
    virtual void message(const std::string& text, const std::string& title) = 0;
    // OK/Cancel; true only for OK.
    virtual bool confirm(const std::string& text, const std::string& title) = 0;
    // An input box; an empty answer on Cancel.
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) = 0;
};

// The dialogs in force. Until one is installed, messages go to standard error,
// questions are answered Cancel and inputs are empty.
Dialogs& dialogs();

// Installs the dialogs the logic uses from now on; nullptr restores the
// default. The caller keeps ownership.
void setDialogs(Dialogs* dialogs);

} // namespace gs
