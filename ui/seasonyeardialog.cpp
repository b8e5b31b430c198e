#include "seasonyeardialog.h"

#include "controls.h"
#include "textconv.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
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

    m_seasons = named(new QListWidget, "seasonList", "Seasons", PaintRole::Text);
    for (const std::string& season : m_model.seasons.entries)
        m_seasons->addItem(toQt(season));
    layout->addWidget(m_seasons);
    connect(m_seasons, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_model.seasons.selected)
            m_model.chooseSeason(row);
    });

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
    m_seasons->setCurrentRow(m_model.seasons.selected);
}

} // namespace gs
