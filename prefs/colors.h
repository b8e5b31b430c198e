#pragma once

// The 32 colour schemes, one per team, and the "Color Scheme" window.

#include "core/grid.h"

#include <functional>
#include <optional>
#include <string>

namespace gs {

inline constexpr int kSchemeCount = 32;

struct SchemeColors {
    Rgb background;
    Rgb button;
    Rgb text;
};

// The colours of a scheme 0..32 (0 paints like 32); nothing outside.
std::optional<SchemeColors> schemeColors(int scheme);

// The option caption of scheme 1..32 ("Arizona Cardinals" ...), else "".
std::string schemeCaption(int scheme);

// Sets State.Colors from CurrentColorScheme and asks the windows to repaint.
void ApplyColorScheme();

// Called after every ApplyColorScheme; the window layer repaints its open
// windows from State.Colors.
void setColorSchemeListener(std::function<void()> listener);

// The "Color Scheme" window: 32 options and "Close".
struct ColorSettingsWindow {
    int selectedOption = 0; // 1..32; 0 when CurrentColorScheme has no option
    bool open = false;

    void Form_Load();
    void Option_Click(int scheme);
    void Command2_Click(); // "Close"
};

// The "Color Settings" command: hides the panels before the window opens...
void mnuSetupItem_Click();
// ...and stores the chosen scheme with the current user once it has closed.
void colorSettingsClosed();

} // namespace gs
