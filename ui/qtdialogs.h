#pragma once

#include "core/dialogs.h"

namespace gs {

// Message boxes and input boxes as real Qt dialogs.
class QtDialogs final : public Dialogs {
public:
    void message(MessageKind kind, const std::string& text, const std::string& title) override;
    bool confirm(const std::string& text, const std::string& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
    SaveAnswer askToSave(const std::string& text, const std::string& title) override;
};

} // namespace gs
