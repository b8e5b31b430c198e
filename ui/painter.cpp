#include "painter.h"

#include "core/state.h"
#include "textconv.h"

namespace gs {

namespace {

QString colorName(Rgb rgb) {
    return toQColor(rgb).name();
}

QString selectors(const QStringList& names) {
    QStringList parts;
    for (const QString& name : names)
        parts << "#" + name;
    return parts.join(", ");
}

QString disabledSelectors(const QStringList& names) {
    QStringList parts;
    for (const QString& name : names)
        parts << "#" + name + ":disabled";
    return parts.join(", ");
}

// The round indicators of option buttons, drawn in the scheme's colours so
// that they stay visible on any background.
QString indicatorSelectors(const QStringList& names, const QString& state) {
    QStringList parts;
    for (const QString& name : names)
        parts << "#" + name + "::indicator" + state;
    return parts.join(", ");
}

} // namespace

QStringList numberedNames(const QString& prefix, int first, int last) {
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << prefix + QString::number(i);
    return names;
}

void paintWindow(QWidget* window, const PaintPlan& plan) {
    // A scheme outside the table leaves all three slots unset: they paint black.
    const ColorSlots& scheme = State.Colors;
    QString background = colorName(scheme.set ? scheme.background : 0);
    QString button = colorName(scheme.set ? scheme.button : 0);
    QString text = colorName(scheme.set ? scheme.text : 0);

    QString sheet;
    if (!plan.windowBackground.isEmpty())
        sheet += selectors(plan.windowBackground) + " { background-color: " + background + "; }\n";
    if (!plan.buttons.isEmpty())
        sheet += selectors(plan.buttons) + " { background-color: " + button +
                 "; border: 1px solid #404040; border-radius: 3px; padding: 4px 14px; }\n" +
                 selectors(plan.buttons) + " { color: black; }\n" +
                 disabledSelectors(plan.buttons) + " { color: #808080; }\n";
    if (!plan.texts.isEmpty()) {
        // Disabled labels and options fade towards the background.
        QColor faded = toQColor(scheme.set ? scheme.text : 0);
        faded.setAlphaF(0.4);
        sheet += selectors(plan.texts) + " { color: " + text + "; }\n" +
                 disabledSelectors(plan.texts) + " { color: " + faded.name(QColor::HexArgb) +
                 "; }\n";
    }
    if (!plan.options.isEmpty())
        sheet += indicatorSelectors(plan.options, "") +
                 " { width: 11px; height: 11px; border-radius: 7px; border: 2px solid " + text +
                 "; background-color: " + background + "; }\n" +
                 indicatorSelectors(plan.options, ":checked") + " { background-color: " + button +
                 "; }\n";
    if (!plan.buttonColoredTexts.isEmpty())
        sheet += selectors(plan.buttonColoredTexts) + " { color: " + button + "; }\n";
    window->setStyleSheet(sheet);
}

} // namespace gs
