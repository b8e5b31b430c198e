#pragma once

// The 32 colour schemes, one per team, and the "Color Scheme" window.

#include "core/grid.h"
#include "core/pool.h"

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

// The three colour slots the windows are painted with.
struct ColorSlots {
    bool set = false; // a scheme outside the table leaves every slot black
    Rgb background = 0;
    Rgb button = 0;
    Rgb text = 0;
};

// The slots of a scheme as the windows apply it.
ColorSlots colorSlots(int scheme);

// The option caption of scheme 1..32 ("Arizona Cardinals" ...), else "".
std::string schemeCaption(int scheme);

// Stores the scheme in force with the current user's slot, for the next
// save of the user list.
void storeSchemeWithCurrentUser(Pool& pool);

// The "Color Scheme" window: 32 options and "Close". A choice takes effect
// at once; the window layer repaints every open window afterwards.
class ColorSettings {
public:
    explicit ColorSettings(Pool& pool) : m_pool(pool) {}

    void open();
    void chooseScheme(int scheme);
    void close();

    int selectedOption() const { return m_selectedOption; }
    bool isOpen() const { return m_open; }

private:
    Pool& m_pool;
    int m_selectedOption = 0; // 1..32; 0 when the scheme in force has no option
    bool m_open = false;
};

} // namespace gs
