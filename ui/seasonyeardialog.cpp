#include "seasonyeardialog.h"

#include "controls.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

SeasonYearDialog::SeasonYearDialog(Pool& pool, Dialogs& dialogs, std::function<void()> seasonChosen,
                                   QWidget* parent)
    : PaintedDialog(parent), m_model(pool, dialogs), m_seasonChosen(std::move(seasonChosen)) {
    m_model.open();
    setObjectName("seasonYearDialog");
    setWindowTitle(toQt(m_model.caption));
    setAccessibleName(toQt(m_model.caption));
    setPaintRole(this, PaintRole::Background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel(toQt(m_model.label.caption)), "selectSeasonLabel",
                            "Select Season Schedule", PaintRole::Text));

    m_seasons = named(new QListWidget, "seasonList", "Seasons");
    for (const std::string& season : m_model.seasons.entries)
        m_seasons->addItem(toQt(season));
    layout->addWidget(m_seasons);
    connect(m_seasons, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_model.seasons.selected) {
            m_model.chooseSeason(row);
            m_dayNow->setText(toQt(m_model.dayNow.caption));
            if (m_seasonChosen)
                m_seasonChosen();
        }
    });

    layout->addWidget(named(new QLabel(toQt(m_model.dayLabel.caption)), "poolDayLabel",
                            "Pool's day", PaintRole::Text));
    auto* dayRow = new QHBoxLayout;
    m_day = named(new QLineEdit(toQt(m_model.dayBox.caption)), "poolDayEdit", "Pool's day");
    m_setDay = named(new QPushButton(toQt(m_model.setDayButton.caption)), "setDayButton",
                     "Set the pool's day", PaintRole::Button);
    dayRow->addWidget(m_day);
    dayRow->addWidget(m_setDay);
    layout->addLayout(dayRow);
    m_dayNow = named(new QLabel, "poolDayNowLabel", "The pool's day now", PaintRole::Text);
    layout->addWidget(m_dayNow);
    connect(m_setDay, &QPushButton::clicked, this, [this] {
        m_model.setPoolDay(fromQt(m_day->text()));
        render();
    });

    auto* ruleRow = new QHBoxLayout;
    auto* ruleLabel = named(new QLabel(toQt(m_model.ruleLabel.caption)), "poolRuleLabel",
                            "Pool rule", PaintRole::Text);
    m_rule = named(new QComboBox, "poolRuleBox", "How the pool scores a week");
    for (const std::string& rule : m_model.rules.entries)
        m_rule->addItem(toQt(rule));
    ruleLabel->setBuddy(m_rule);
    ruleRow->addWidget(ruleLabel);
    ruleRow->addWidget(m_rule, 1);
    layout->addLayout(ruleRow);
    connect(m_rule, &QComboBox::activated, this, [this](int index) {
        m_model.chooseRule(index);
        render();
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
    showControl(m_day, m_model.dayBox);
    m_day->setText(toQt(m_model.dayBox.caption));
    showControl(m_setDay, m_model.setDayButton);
    m_dayNow->setText(toQt(m_model.dayNow.caption));
    showControl(m_rule, m_model.ruleBox);
    m_rule->setCurrentIndex(m_model.rules.selected);
}

} // namespace gs
