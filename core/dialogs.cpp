#include "dialogs.h"

#include "codepage.h"

#include <iostream>

namespace gs {

namespace {

class StderrDialogs final : public Dialogs {
public:
    void message(const std::string& text, const std::string& title) override {
        std::cerr << cp1252ToUtf8(title) << ": " << cp1252ToUtf8(text) << '\n';
    }
    bool confirm(const std::string& text, const std::string& title) override {
        message(text, title);
        return false;
    }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
};

StderrDialogs g_stderrDialogs;
Dialogs* g_dialogs = &g_stderrDialogs;

} // namespace

Dialogs& dialogs() {
    return *g_dialogs;
}

void setDialogs(Dialogs* dialogs) {
    g_dialogs = dialogs ? dialogs : &g_stderrDialogs;
}

} // namespace gs
