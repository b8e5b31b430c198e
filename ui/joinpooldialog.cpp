#include "joinpooldialog.h"

#include "accounts/accounts.h"
#include "controls.h"
#include "textconv.h"

#include <QApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <thread>

namespace gs {

// Runs each request on a worker thread and keeps the window's events going
// until it has finished.
class JoinPoolDialog::BackgroundRequests final : public RequestRunner {
public:
    Outcome run(const std::function<Outcome()>& request) override {
        Outcome outcome;
        QEventLoop loop;
        std::thread worker([&] {
            outcome = request();
            QMetaObject::invokeMethod(
                &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
        return outcome;
    }
};

// Waits between tries while the window keeps handling events.
class JoinPoolDialog::ResponsiveWait final : public RetryWait {
public:
    bool wait(int milliseconds) override {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        return true;
    }
};

JoinPoolDialog::JoinPoolDialog(Pool& pool, Dialogs& dialogs, TransportFactory transports,
                               QWidget* parent)
    : PaintedDialog(parent), m_pool(pool), m_dialogs(dialogs), m_transports(std::move(transports)),
      m_requests(std::make_unique<BackgroundRequests>()),
      m_wait(std::make_unique<ResponsiveWait>()) {
    setObjectName("joinPoolDialog");
    setWindowTitle(toQt(m_model.caption));
    setAccessibleName(toQt(m_model.caption));
    setPaintRole(this, PaintRole::Background);

    auto* text = named(new QLabel(toQt(m_model.text)), "joinPoolText", "What joining needs",
                       PaintRole::Text);
    text->setWordWrap(true);
    m_player = named(new QLineEdit, "joinPlayerEdit", "Your name in the pool");
    m_place = named(new QLineEdit, "joinPlaceEdit", "Shared place of the pool");
    m_place->setMinimumWidth(360);
    m_password = named(new QLineEdit, "joinPasswordEdit", "Password for this computer");
    m_repeated = named(new QLineEdit, "joinRepeatEdit", "Repeat the password");
    for (QLineEdit* hidden : {m_password, m_repeated})
        hidden->setEchoMode(QLineEdit::Password);

    auto* form = new QGridLayout;
    int row = 0;
    for (auto [model, edit, name] : {std::tuple{&m_model.playerLabel, m_player, "joinPlayerLabel"},
                                     {&m_model.placeLabel, m_place, "joinPlaceLabel"},
                                     {&m_model.passwordLabel, m_password, "joinPasswordLabel"},
                                     {&m_model.repeatLabel, m_repeated, "joinRepeatLabel"}}) {
        auto* label =
            named(new QLabel(toQt(model->caption)), name, edit->accessibleName(), PaintRole::Text);
        label->setBuddy(edit);
        form->addWidget(label, row, 0);
        form->addWidget(edit, row++, 1);
    }
    m_join = named(new QPushButton(toQt(m_model.joinButton.caption)), "joinButton", "Join",
                   PaintRole::Button);
    m_cancel = named(new QPushButton(toQt(m_model.cancelButton.caption)), "cancelButton", "Cancel",
                     PaintRole::Button);
    m_join->setDefault(true);
    connect(m_join, &QPushButton::clicked, this, &JoinPoolDialog::join);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_join);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

JoinPoolDialog::~JoinPoolDialog() = default;

void JoinPoolDialog::join() {
    // A character the files cannot carry comes in marked, and is refused.
    m_model.request = {utf8ToCp1252Marked(m_player->text().toStdString()), fromQt(m_place->text()),
                       utf8ToCp1252Marked(m_password->text().toStdString())};
    m_model.repeatedPassword = utf8ToCp1252Marked(m_repeated->text().toStdString());
    if (m_model.request.password != m_model.repeatedPassword) {
        m_dialogs.refuse(kPasswordsDifferMessage);
        return;
    }
    // Nothing else may start while the shared place is asked.
    for (QWidget* control : std::initializer_list<QWidget*>{m_player, m_place, m_password,
                                                            m_repeated, m_join, m_cancel})
        control->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<std::string> joined =
        joinPool(m_pool, m_dialogs, m_model.request, m_transports, *m_requests, *m_wait);
    QApplication::restoreOverrideCursor();
    for (QWidget* control : std::initializer_list<QWidget*>{m_player, m_place, m_password,
                                                            m_repeated, m_join, m_cancel})
        control->setEnabled(true);
    if (!joined)
        return;
    m_dialogs.inform(*joined, m_model.caption);
    accept();
}

} // namespace gs
