#include "colorsettingsdialog.h"

#include "controls.h"
#include "textconv.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

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
