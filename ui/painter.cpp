#include "painter.h"

#include "textconv.h"

#include <QFontMetrics>
#include <QVariant>

#include <algorithm>

namespace gs {

namespace {

constexpr const char* kRoleProperty = "paintRole";

const char* roleName(PaintRole role) {
    switch (role) {
    case PaintRole::Background:
        return "background";
    case PaintRole::Button:
        return "button";
    case PaintRole::Text:
        return "text";
    case PaintRole::ButtonText:
        return "buttonText";
    case PaintRole::Option:
        return "option";
    }
    return "";
}

QString selector(PaintRole role, const QString& suffix = {}) {
    return QString("*[%1=\"%2\"]%3").arg(kRoleProperty, roleName(role), suffix);
}

} // namespace

void setPaintRole(QWidget* widget, PaintRole role) {
    widget->setProperty(kRoleProperty, roleName(role));
    if (role == PaintRole::Background)
        widget->setAttribute(Qt::WA_StyledBackground, true);
}

void paintWindow(QWidget* window, const ColorSlots& colors) {
    const SchemePalette p = schemePalette(colors);
    auto name = [](Rgb rgb) { return toQColor(rgb).name(); };
    const QString background = name(p.background);
    const QString textSelectors = selector(PaintRole::Text) + ", " + selector(PaintRole::Option);
    const QString disabledTextSelectors =
        selector(PaintRole::Text, ":disabled") + ", " + selector(PaintRole::Option, ":disabled");

    QString sheet;
    sheet += selector(PaintRole::Background) + ", " + selector(PaintRole::Option) +
             " { background-color: " + background + "; }\n";
    sheet += selector(PaintRole::Button) + " { background-color: " + name(p.button) +
             "; color: " + name(p.buttonText) +
             "; border: 1px solid #404040; border-radius: 3px; padding: 4px 14px; }\n";
    sheet += selector(PaintRole::Button, ":disabled") + " { color: " + name(p.disabledButtonText) +
             "; border-style: dashed; }\n";
    sheet += selector(PaintRole::Button, ":focus") + " { border: 2px solid " + name(p.buttonText) +
             "; }\n";
    sheet += textSelectors + " { color: " + name(p.text) + "; }\n";
    sheet += disabledTextSelectors + " { color: " + name(p.disabledText) + "; }\n";
    // An option's ring is in the text colour; the chosen one is filled with
    // it, so that a choice never looks like a disabled option.
    sheet += selector(PaintRole::Option, "::indicator") +
             " { width: 10px; height: 10px; border-radius: 7px; border: 2px solid " +
             name(p.indicator) + "; background-color: " + background + "; }\n";
    auto dot = [&](const QString& colour) {
        return "qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5, stop:0 " + colour +
               ", stop:0.55 " + colour + ", stop:0.7 " + background + ", stop:1 " + background +
               ")";
    };
    sheet += selector(PaintRole::Option, "::indicator:checked") +
             " { background: " + dot(name(p.indicator)) + "; }\n";
    sheet += selector(PaintRole::Option, "::indicator:disabled") +
             " { border-color: " + name(p.disabledText) + "; }\n";
    sheet += selector(PaintRole::Option, "::indicator:checked:disabled") +
             " { background: " + dot(name(p.disabledText)) + "; }\n";
    sheet += selector(PaintRole::ButtonText) + " { color: " + name(p.accent) + "; }\n";
    window->setStyleSheet(sheet);
}

void PaintedDialog::showEvent(QShowEvent* event) {
    // Room for the window's icon and its buttons beside the title.
    constexpr int kTitleBarExtras = 160;
    QFont title = font();
    title.setBold(true);
    int needed = QFontMetrics(title).horizontalAdvance(windowTitle()) + kTitleBarExtras;
    if (width() < needed)
        resize(needed, height());
    setMinimumWidth(std::max(minimumWidth(), needed));
    QDialog::showEvent(event);
}

} // namespace gs
