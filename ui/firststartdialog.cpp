#include "firststartdialog.h"

#include "controls.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

FirstStartDialog::FirstStartDialog(Actions actions, QWidget* parent)
    : PaintedDialog(parent), m_actions(std::move(actions)) {
    setObjectName("firstStartDialog");
    setWindowTitle(toQt(m_model.caption));
    setAccessibleName(toQt(m_model.caption));
    setPaintRole(this, PaintRole::Background);

    auto* heading = named(new QLabel(toQt(m_model.caption)), "firstStartHeading",
                          toQt(m_model.caption), PaintRole::Text);
    makeHeading(heading);
    auto* text =
        named(new QLabel(toQt(m_model.text)), "firstStartText", "What to do next", PaintRole::Text);
    text->setWordWrap(true);
    text->setMinimumWidth(480);
    auto button = [this](const ControlModel& model, const char* name, const char* accessible) {
        return named(new QPushButton(toQt(model.caption)), name, accessible, PaintRole::Button);
    };
    auto* password =
        button(m_model.passwordButton, "setPasswordButton", "Set the administrator's password");
    auto* players = button(m_model.playersButton, "addPlayersButton", "Add players");
    auto* season = button(m_model.seasonButton, "chooseSeasonButton", "Choose the season");
    auto* close = button(m_model.closeButton, "closeButton", "Close");
    password->setDefault(true);

    connect(password, &QPushButton::clicked, this, [this] {
        if (m_actions.setPassword)
            m_actions.setPassword();
    });
    connect(players, &QPushButton::clicked, this, [this] {
        if (m_actions.addPlayers)
            m_actions.addPlayers();
    });
    connect(season, &QPushButton::clicked, this, [this] {
        if (m_actions.chooseSeason)
            m_actions.chooseSeason();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {password, players, season})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

PoolStartDialog::PoolStartDialog(std::function<void()> startNewPool, std::function<void()> joinPool,
                                 QWidget* parent)
    : PaintedDialog(parent) {
    setObjectName("poolStartDialog");
    setWindowTitle(toQt(m_model.caption));
    setAccessibleName(toQt(m_model.caption));
    setPaintRole(this, PaintRole::Background);

    auto* heading = named(new QLabel(toQt(m_model.caption)), "poolStartHeading",
                          toQt(m_model.caption), PaintRole::Text);
    makeHeading(heading);
    auto* text = named(new QLabel(toQt(m_model.text)), "poolStartText", "Start or join a pool",
                       PaintRole::Text);
    text->setWordWrap(true);
    text->setMinimumWidth(480);
    auto button = [this](const ControlModel& model, const char* name, const char* accessible,
                         std::function<void()> action) {
        auto* shown =
            named(new QPushButton(toQt(model.caption)), name, accessible, PaintRole::Button);
        connect(shown, &QPushButton::clicked, this, [this, action = std::move(action)] {
            accept();
            if (action)
                action();
        });
        return shown;
    };
    auto* newPool =
        button(m_model.newPoolButton, "newPoolButton", "Start a new pool", std::move(startNewPool));
    auto* join = button(m_model.joinButton, "joinPoolButton", "Join a pool", std::move(joinPool));
    auto* close = named(new QPushButton(toQt(m_model.closeButton.caption)), "closeButton", "Close",
                        PaintRole::Button);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    newPool->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newPool);
    buttons->addWidget(join);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

} // namespace gs
