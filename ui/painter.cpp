#include "painter.h"

#include "textconv.h"

#include <QVariant>

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
    // A scheme outside the table leaves all three slots unset: they paint black.
    QString background = toQColor(colors.set ? colors.background : 0).name();
    QString button = toQColor(colors.set ? colors.button : 0).name();
    QString text = toQColor(colors.set ? colors.text : 0).name();
    // Disabled labels and options fade towards the background.
    QColor faded = toQColor(colors.set ? colors.text : 0);
    faded.setAlphaF(0.4);
    const QString textSelectors = selector(PaintRole::Text) + ", " + selector(PaintRole::Option);
    const QString disabledTextSelectors =
        selector(PaintRole::Text, ":disabled") + ", " + selector(PaintRole::Option, ":disabled");

    QString sheet;
    sheet += selector(PaintRole::Background) + ", " + selector(PaintRole::Option) +
             " { background-color: " + background + "; }\n";
    sheet += selector(PaintRole::Button) + " { background-color: " + button +
             "; color: black; border: 1px solid #404040; border-radius: 3px; "
             "padding: 4px 14px; }\n";
    sheet += selector(PaintRole::Button, ":disabled") + " { color: #808080; }\n";
    sheet += textSelectors + " { color: " + text + "; }\n";
    sheet += disabledTextSelectors + " { color: " + faded.name(QColor::HexArgb) + "; }\n";
    sheet += selector(PaintRole::Option, "::indicator") +
             " { width: 11px; height: 11px; border-radius: 7px; border: 2px solid " + text +
             "; background-color: " + background + "; }\n";
    sheet += selector(PaintRole::Option, "::indicator:checked") + " { background-color: " + button +
             "; }\n";
    sheet += selector(PaintRole::ButtonText) + " { color: " + button + "; }\n";
    window->setStyleSheet(sheet);
}

} // namespace gs
