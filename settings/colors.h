#pragma once

// The 32 colour schemes, one per team, and the "Color Scheme" window.

#include "core/grid.h"
#include "core/pool.h"

#include <initializer_list>
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

// WCAG 2 contrast: enabled text must reach 4.5:1 against what it stands on,
// disabled text 3:1 (it is still read, but is meant to recede).
inline constexpr double kReadableContrast = 4.5;
inline constexpr double kDisabledContrast = 3.0;

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrastRatio(Rgb first, Rgb second);

// The first candidate that reads on the background at the minimum ratio;
// black or white when none does (one of them always reaches 4.5:1).
Rgb readableOn(Rgb background, std::initializer_list<Rgb> candidates,
               double minimum = kReadableContrast);

// Disabled text: the enabled text moved towards the background as far as it
// can go while it still reaches 3:1, so that it is visibly fainter yet
// readable.
Rgb fadedOn(Rgb text, Rgb background);

// Every colour a scheme paints with. The scheme's own colours stay wherever
// they are readable; where one is not, another of its colours, else black or
// white, takes its place.
struct SchemePalette {
    Rgb background = 0;
    Rgb button = 0;
    Rgb text = 0;               // labels and options on the background
    Rgb disabledText = 0;       // disabled labels and options
    Rgb buttonText = 0;         // a button's caption on the button colour
    Rgb disabledButtonText = 0; // a disabled button's caption
    Rgb accent = 0;             // the button colour as text on the background
    Rgb indicator = 0;          // an option's ring and, when chosen, its dot
};

SchemePalette schemePalette(const ColorSlots& slots);

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
