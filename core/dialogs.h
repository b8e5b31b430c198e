#pragma once

// How the logic talks to the person: message boxes, OK/Cancel questions and
// input boxes. The window layer implements it with real dialogs, the command
// line writes messages to its streams, and tests use a scripted fake.

#include <string>

namespace gs {

// The title of the program's own information messages.
inline constexpr const char* kProgramTitle = "Gridslate";
// The title of a refusal.
inline constexpr const char* kErrorTitle = "Error";

enum class MessageKind { Information, Warning, Error };

// The answers to a question about work not yet saved.
enum class SaveAnswer { Save, Discard, Cancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an OK button.
    virtual void message(MessageKind kind, const std::string& text, const std::string& title) = 0;
    // OK/Cancel; true only for OK.
    virtual bool confirm(const std::string& text, const std::string& title) = 0;
    // An input box; an empty answer on Cancel.
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) = 0;
    // Save / Discard / Cancel. Where nobody can be asked, nothing is written
    // and nothing is lost: Cancel.
    virtual SaveAnswer askToSave(const std::string& /*text*/, const std::string& /*title*/) {
        return SaveAnswer::Cancel;
    }

    void inform(const std::string& text, const std::string& title = kProgramTitle) {
        message(MessageKind::Information, text, title);
    }
    void refuse(const std::string& text, const std::string& title = kErrorTitle) {
        message(MessageKind::Error, text, title);
    }
};

} // namespace gs
