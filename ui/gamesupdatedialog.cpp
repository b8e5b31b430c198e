#include "gamesupdatedialog.h"

#include "controls.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace gs {

namespace {

// How often the bytes that arrived are shown.
constexpr int kProgressIntervalMs = 100;

} // namespace

GamesUpdateDialog::GamesUpdateDialog(const Pool& pool, Dialogs& dialogs, GamesUpdateOptions options,
                                     QWidget* parent)
    : PaintedDialog(parent),
      m_window(std::make_unique<GamesUpdateWindow>(pool, dialogs, std::move(options))) {
    const GamesUpdateWindowModel& m = m_window->model();
    setObjectName("gamesUpdateDialog");
    setWindowTitle(toQt(m.caption));
    setAccessibleName(toQt(m.caption));
    setPaintRole(this, PaintRole::Background);
    resize(560, 160);

    auto* addressLabel = named(new QLabel(toQt(m.addressLabel.caption)), "gamesFileAddressLabel",
                               "Address", PaintRole::Text);
    m_address = named(new QLineEdit, "gamesFileAddressEdit", "Where the games file comes from");
    m_change = named(new QPushButton(toQt(m.changeButton.caption)), "changeGamesAddressButton",
                     "Store the address and fetch from it", PaintRole::Button);
    m_change->setAutoDefault(false);
    addressLabel->setBuddy(m_address);
    m_status = named(new QLabel, "updateStatusLabel", "What the update is doing", PaintRole::Text);
    m_progress = named(new QProgressBar, "gamesUpdateProgressBar", "Bytes of the games file");
    m_cancel = named(new QPushButton, "cancelUpdateButton", "Cancel the update", PaintRole::Button);
    m_close = named(new QPushButton, "closeUpdateButton", "Close", PaintRole::Button);
    m_cancel->setAutoDefault(false);
    m_close->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    auto* address = new QHBoxLayout;
    address->addWidget(addressLabel);
    address->addWidget(m_address, 1);
    address->addWidget(m_change);
    layout->addLayout(address);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_window->cancel();
        render();
    });
    connect(m_close, &QPushButton::clicked, this, &GamesUpdateDialog::reject);
    connect(m_change, &QPushButton::clicked, this, [this] {
        m_window->typeAddress(fromQt(m_address->text()));
        if (m_window->changeAddress())
            startFetch();
        render();
    });
    connect(m_address, &QLineEdit::returnPressed, m_change, &QPushButton::click);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_window->showProgress();
        render();
    });

    if (m_window->start())
        startFetch();
    render();
}

void GamesUpdateDialog::startFetch() {
    m_timer->start(kProgressIntervalMs);
    m_worker = std::thread([this] {
        FetchedGamesFile fetched = m_window->fetch();
        QMetaObject::invokeMethod(
            this, [this, fetched = std::move(fetched)] { finish(fetched); }, Qt::QueuedConnection);
    });
}

GamesUpdateDialog::~GamesUpdateDialog() {
    if (m_worker.joinable()) {
        m_window->cancel();
        m_worker.join();
    }
}

void GamesUpdateDialog::finish(const FetchedGamesFile& fetched) {
    if (m_worker.joinable())
        m_worker.join();
    m_timer->stop();
    m_window->finish(fetched);
    render();
    if (m_closeWhenDone)
        QDialog::reject();
}

void GamesUpdateDialog::reject() {
    if (m_window->isRunning()) {
        m_closeWhenDone = true;
        m_window->cancel();
        render();
        return;
    }
    QDialog::reject();
}

void GamesUpdateDialog::render() {
    const GamesUpdateWindowModel& m = m_window->model();
    if (m_address->text() != toQt(m.address.caption))
        m_address->setText(toQt(m.address.caption));
    showControl(m_address, m.address);
    showControl(m_change, m.changeButton);
    m_status->setText(toQt(m.status.caption));
    m_progress->setRange(m.progress.minimum, m.progress.maximum);
    m_progress->setValue(m.progress.value);
    m_progress->setVisible(m.progress.visible);
    showControl(m_cancel, m.cancelButton);
    showControl(m_close, m.closeButton);
}

} // namespace gs
