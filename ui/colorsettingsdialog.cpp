#include "colorsettingsdialog.h"

#include "controls.h"
#include "textconv.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

namespace {

// A small picture of a scheme: a label's text on the background beside a
// button, in the colours the windows would be painted with.
QIcon schemeSwatch(int scheme) {
    const SchemePalette p = schemePalette(colorSlots(scheme));
    QPixmap picture(56, 22);
    picture.fill(toQColor(p.background));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(toQColor(p.text));
    painter.drawText(QRect(2, 0, 24, 22), Qt::AlignCenter, "Aa");
    QRect button(28, 3, 25, 16);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(toQColor(p.button));
    painter.drawRoundedRect(button, 3, 3);
    painter.setPen(toQColor(p.buttonText));
    painter.drawText(button, Qt::AlignCenter, "Ok");
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return QIcon(picture);
}

} // namespace

ColorSettingsDialog::ColorSettingsDialog(Pool& pool, std::function<void()> repaintAll,
                                         QWidget* parent)
    : PaintedDialog(parent), m_model(pool), m_repaintAll(std::move(repaintAll)) {
    setObjectName("colorSettingsDialog");
    setWindowTitle("Color Scheme");
    setAccessibleName("Color Scheme");
    setPaintRole(this, PaintRole::Background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel("Choose a color scheme:"), "chooseSchemeLabel",
                            "Choose a color scheme", PaintRole::Text));

    auto* grid = new QGridLayout;
    // Options must not exclude each other on their own: the model decides
    // which one is selected.
    auto* group = new QButtonGroup(this);
    group->setExclusive(false);
    for (int n = 1; n <= kSchemeCount; ++n) {
        QString caption = toQt(schemeCaption(n));
        auto* option = named(new QRadioButton(caption), QString("schemeOption%1").arg(n), caption,
                             PaintRole::Option);
        option->setAutoExclusive(false);
        option->setIcon(schemeSwatch(n));
        option->setIconSize(QSize(56, 22));
        group->addButton(option, n);
        grid->addWidget(option, (n - 1) % 8, (n - 1) / 8);
        m_options[n] = option;
        connect(option, &QRadioButton::clicked, this, [this, n] {
            m_model.chooseScheme(n);
            render();
            if (m_repaintAll)
                m_repaintAll();
        });
    }
    layout->addLayout(grid);

    auto* close = named(new QPushButton("Close"), "closeButton", "Close", PaintRole::Button);
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.close();
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    m_model.open();
    render();
}

void ColorSettingsDialog::render() {
    for (int n = 1; n <= kSchemeCount; ++n)
        m_options[n]->setChecked(n == m_model.selectedOption());
}

} // namespace gs
