#include "colors.h"

#include <algorithm>
#include <cmath>

namespace gs {

namespace {

struct SchemeRow {
    const char* caption;
    SchemeColors colors;
};

constexpr SchemeRow kSchemes[kSchemeCount + 1] = {
    {"", {0xC00000, 0xFFFF00, 0xFFFFFF}},
    {"Arizona Cardinals", {0xC00000, 0xFFFFFF, 0x000000}},
    {"Atlanta Falcons", {0xFF0000, 0xFFFFFF, 0x000000}},
    {"Baltimore Ravens", {0x800080, 0xFFFF00, 0x000000}},
    {"Buffalo Bills", {0x0000FF, 0xFF0000, 0xFFFFFF}},
    {"Carolina Panthers", {0x00FFFF, 0xC0C0C0, 0x000000}},
    {"Chicago Bears", {0x000040, 0xFF8000, 0xFFFFFF}},
    {"Cincinnati Bengals", {0x000000, 0xFF8000, 0xFFFFFF}},
    {"Cleveland Browns", {0xFF8000, 0xFFFFFF, 0x000000}},
    {"Dallas Cowboys", {0x000040, 0xC0C0C0, 0xC0C0C0}},
    {"Denver Broncos", {0x000040, 0xFF8000, 0xFFFFFF}},
    {"Detroit Lions", {0xC0C0C0, 0x0000FF, 0x0000FF}},
    {"Green Bay Packers", {0x008000, 0xFFFF00, 0x000000}},
    {"Houston Texans", {0x000040, 0xFF0000, 0xFFFFFF}},
    {"Indianapolis Colts", {0x0000FF, 0xFFFFFF, 0xFFFFFF}},
    {"Jacksonville Jaguars", {0x004040, 0x808000, 0x808000}},
    {"Kansas City Chiefs", {0xFF0000, 0xFFFFFF, 0xFFFFFF}},
    {"Miami Dolphins", {0x00C0C0, 0xFF8000, 0xFF8000}},
    {"Minnesota Vikings", {0x800080, 0xFFFF00, 0xFFFFFF}},
    {"New York Giants", {0x0000C0, 0xC00000, 0xFFFFFF}},
    {"New York Jets", {0x008000, 0xFFFFFF, 0xFFFFFF}},
    {"New England Patriots", {0x000040, 0xFF0000, 0xFFFFFF}},
    {"New Orleans Saints", {0x000000, 0x808000, 0x808000}},
    {"Oakland Raiders", {0x000000, 0xC0C0C0, 0xC0C0C0}},
    {"Philadelphia Eagles", {0x008000, 0xC0C0C0, 0xC0C0C0}},
    {"Pittsburgh Steelers", {0x000000, 0xFFFF00, 0xFFFFFF}},
    {"San Diego Chargers", {0x0000FF, 0xFFFF00, 0xFFFFFF}},
    {"San Francisco 49ers", {0xFF0000, 0x808000, 0xFFFFFF}},
    {"Seattle Seahawks", {0x0000C0, 0x00FF00, 0x00FF00}},
    {"St. Louis Rams", {0x0000C0, 0xFFFF00, 0xFFFF00}},
    {"Tampa Bay Buccaneers", {0xFF0000, 0x808000, 0x000000}},
    {"Tennessee Titans", {0x00C0C0, 0xFF0000, 0x000080}},
    {"Washington Redskins", {0xC00000, 0xFFFF00, 0xFFFFFF}},
};

} // namespace

std::optional<SchemeColors> schemeColors(int scheme) {
    if (scheme < 0 || scheme > kSchemeCount)
        return std::nullopt;
    return kSchemes[scheme].colors;
}

std::string schemeCaption(int scheme) {
    if (scheme < 1 || scheme > kSchemeCount)
        return {};
    return kSchemes[scheme].caption;
}

ColorSlots colorSlots(int scheme) {
    std::optional<SchemeColors> colors = schemeColors(scheme);
    if (!colors)
        return {};
    return {true, colors->background, colors->button, colors->text};
}

namespace {

double channelLuminance(Rgb rgb, int shift) {
    double c = static_cast<double>((rgb >> shift) & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double relativeLuminance(Rgb rgb) {
    return 0.2126 * channelLuminance(rgb, 16) + 0.7152 * channelLuminance(rgb, 8) +
           0.0722 * channelLuminance(rgb, 0);
}

// The colour a fraction of the way from one colour to another.
Rgb blend(Rgb from, Rgb to, double fraction) {
    Rgb mixed = 0;
    for (int shift : {16, 8, 0}) {
        double a = static_cast<double>((from >> shift) & 0xFF);
        double b = static_cast<double>((to >> shift) & 0xFF);
        auto channel = static_cast<Rgb>(std::lround(a + (b - a) * fraction));
        mixed |= channel << shift;
    }
    return mixed;
}

} // namespace

double contrastRatio(Rgb first, Rgb second) {
    double a = relativeLuminance(first);
    double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb readableOn(Rgb background, std::initializer_list<Rgb> candidates, double minimum) {
    for (Rgb candidate : candidates)
        if (contrastRatio(candidate, background) >= minimum)
            return candidate;
    return contrastRatio(kBlack, background) >= contrastRatio(kWhite, background) ? kBlack : kWhite;
}

Rgb fadedOn(Rgb text, Rgb background) {
    // Small steps from the text towards the background; the last one that
    // still reads at 3:1.
    constexpr int kSteps = 64;
    Rgb faded = text;
    for (int step = 1; step < kSteps; ++step) {
        Rgb next = blend(text, background, static_cast<double>(step) / kSteps);
        if (contrastRatio(next, background) < kDisabledContrast)
            break;
        faded = next;
    }
    return faded;
}

SchemePalette schemePalette(const ColorSlots& slots) {
    // A scheme outside the table leaves all three slots unset: they paint black.
    const Rgb background = slots.set ? slots.background : kBlack;
    const Rgb button = slots.set ? slots.button : kBlack;
    const Rgb text = slots.set ? slots.text : kBlack;
    SchemePalette p;
    p.background = background;
    p.button = button;
    p.text = readableOn(background, {text, button, kBlack, kWhite});
    p.disabledText = fadedOn(p.text, background);
    // Captions were always black on the buttons; the scheme's text colour
    // is the first stand-in where black does not read.
    p.buttonText = readableOn(button, {kBlack, text, background, kWhite});
    p.disabledButtonText = fadedOn(p.buttonText, button);
    p.accent = readableOn(background, {button, text, kBlack, kWhite});
    p.indicator = p.text;
    return p;
}

void storeSchemeWithCurrentUser(Pool& pool) {
    for (int k = 1; k <= kUserSlots; ++k)
        if (pool.users()[k].name == pool.currentUser()) {
            UserSlot slot = pool.users()[k];
            slot.colorScheme = static_cast<int16_t>(pool.colorScheme());
            pool.setUser(k, std::move(slot));
        }
}

void ColorSettings::open() {
    m_open = true;
    int scheme = m_pool.colorScheme();
    m_selectedOption = scheme >= 1 && scheme <= kSchemeCount ? scheme : 0;
}

void ColorSettings::chooseScheme(int scheme) {
    if (scheme < 1 || scheme > kSchemeCount)
        return;
    m_selectedOption = scheme;
    m_pool.setColorScheme(scheme);
}

void ColorSettings::close() {
    storeSchemeWithCurrentUser(m_pool);
    m_open = false;
}

} // namespace gs
