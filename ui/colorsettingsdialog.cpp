#include "colorsettingsdialog.h"

#include "textconv.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

ColorSettingsDialog::ColorSettingsDialog(QWidget* parent) : PaintedDialog(parent) {
    setObjectName("Settings");
    setWindowTitle("Color Scheme");
    setAccessibleName("Color Scheme");
    setAttribute(Qt::WA_StyledBackground, true);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Choose a color scheme:");
    label->setObjectName("Label1");
    layout->addWidget(label);
    auto* grid = new QGridLayout;
    // Options must not exclude each other on their own: the model decides
    // which one is selected.
    auto* group = new QButtonGroup(this);
    group->setExclusive(false);
    for (int n = 1; n <= kSchemeCount; ++n) {
        auto* option = new QRadioButton(toQt(schemeCaption(n)));
        option->setObjectName(QString("Option%1").arg(n));
        option->setAccessibleName(toQt(schemeCaption(n)));
        option->setAutoExclusive(false);
        group->addButton(option, n);
        grid->addWidget(option, (n - 1) % 8, (n - 1) / 8);
        m_options[n] = option;
        connect(option, &QRadioButton::clicked, this, [this, n] {
            m_model.Option_Click(n);
            render();
        });
    }
    layout->addLayout(grid);
    auto* close = new QPushButton("Close");
    close->setObjectName("Command2");
    close->setAccessibleName("Close");
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.Command2_Click();
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    m_model.Form_Load();
    render();
    paint();
}

void ColorSettingsDialog::render() {
    for (int n = 1; n <= kSchemeCount; ++n)
        m_options[n]->setChecked(n == m_model.selectedOption);
}

void ColorSettingsDialog::paint() {
    PaintPlan plan;
    plan.windowBackground = QStringList{"Settings"} + numberedNames("Option", 1, 32);
    plan.buttons = {"Command2"};
    plan.texts = numberedNames("Option", 1, 32) + QStringList{"Label1"};
    plan.options = numberedNames("Option", 1, 32);
    paintWindow(this, plan);
}

} // namespace gs
