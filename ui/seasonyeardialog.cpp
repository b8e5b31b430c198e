#include "seasonyeardialog.h"

#include "controls.h"
#include "textconv.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

SeasonYearDialog::SeasonYearDialog(Pool& pool, Dialogs& dialogs, QWidget* parent)
    : PaintedDialog(parent), m_model(pool, dialogs) {
    m_model.open();
    setObjectName("seasonYearDialog");
    setWindowTitle(toQt(m_model.caption));
    setAccessibleName(toQt(m_model.caption));
    setPaintRole(this, PaintRole::Background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel(toQt(m_model.label.caption)), "selectSeasonLabel",
                            "Select Season Schedule", PaintRole::Text));

    // The model decides which option is selected.
    auto* group = new QButtonGroup(this);
    group->setExclusive(false);
    for (int n = 1; n <= kSeasonOptions; ++n) {
        QString caption = toQt(m_model.options[n].caption);
        auto* option = named(new QRadioButton(caption), QString("season%1Option").arg(caption),
                             "Season " + caption, PaintRole::Option);
        option->setAutoExclusive(false);
        group->addButton(option, n);
        layout->addWidget(option);
        m_options[n] = option;
        connect(option, &QRadioButton::clicked, this, [this, n] {
            m_model.chooseSeason(n);
            render();
        });
    }

    auto* apply = named(new QPushButton(toQt(m_model.applyButton.caption)), "applyButton", "Apply",
                        PaintRole::Button);
    auto* close = named(new QPushButton(toQt(m_model.closeButton.caption)), "closeButton", "Close",
                        PaintRole::Button);
    connect(apply, &QPushButton::clicked, this, [this] { m_model.apply(); });
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.close();
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    render();
}

void SeasonYearDialog::render() {
    for (int n = 1; n <= kSeasonOptions; ++n)
        m_options[n]->setChecked(n == m_model.selectedOption());
}

} // namespace gs
