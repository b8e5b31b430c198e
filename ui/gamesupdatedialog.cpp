#include "gamesupdatedialog.h"

#include "controls.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QHBoxLayout>
#include <QLabel>
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

    m_address = named(new QLabel, "gamesFileAddressLabel", "Where the games file comes from",
                      PaintRole::Text);
    m_status = named(new QLabel, "updateStatusLabel", "What the update is doing", PaintRole::Text);
    m_progress = named(new QProgressBar, "gamesUpdateProgressBar", "Bytes of the games file");
    m_cancel = named(new QPushButton, "cancelUpdateButton", "Cancel the update", PaintRole::Button);
    m_close = named(new QPushButton, "closeUpdateButton", "Close", PaintRole::Button);
    m_cancel->setAutoDefault(false);
    m_close->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_address);
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
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_window->showProgress();
        render();
    });

    if (m_window->start()) {
        m_timer->start(kProgressIntervalMs);
        m_worker = std::thread([this] {
            FetchedGamesFile fetched = m_window->fetch();
            QMetaObject::invokeMethod(
                this, [this, fetched = std::move(fetched)] { finish(fetched); },
                Qt::QueuedConnection);
        });
    }
    render();
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
    m_address->setText(toQt(m.address.caption));
    m_status->setText(toQt(m.status.caption));
    m_progress->setRange(m.progress.minimum, m.progress.maximum);
    m_progress->setValue(m.progress.value);
    m_progress->setVisible(m.progress.visible);
    showControl(m_cancel, m.cancelButton);
    showControl(m_close, m.closeButton);
}

} // namespace gs
