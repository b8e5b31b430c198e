#include "exchangedialog.h"

#include "controls.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <thread>

namespace gs {

// Runs each request on a worker thread and keeps the window's events going
// until it has finished.
class ExchangeDialog::BackgroundRequests final : public RequestRunner {
public:
    Outcome run(const std::function<Outcome()>& request) override {
        // The window's events run while a request waits, so a second one
        // could be asked for meanwhile; the transport takes one at a time.
        if (m_running)
            return Outcome::failure(kBusyCode, "Another request is still running");
        m_running = true;
        Outcome outcome;
        QEventLoop loop;
        std::thread worker([&] {
            outcome = request();
            QMetaObject::invokeMethod(
                &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
        m_running = false;
        return outcome;
    }

private:
    bool m_running = false;
};

// Waits between tries while the window keeps handling events; "Exit" ends
// the wait at once.
class ExchangeDialog::ResponsiveWait final : public RetryWait {
public:
    bool wait(int milliseconds) override {
        QEventLoop loop;
        m_loop = &loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
        // Whether the wait was cancelled is the operation's to know.
        return true;
    }
    void interrupt() {
        if (m_loop)
            m_loop->quit();
    }

private:
    QEventLoop* m_loop = nullptr;
};

ExchangeDialog::ExchangeDialog(Pool& pool, Dialogs& dialogs, TransportFactory transports,
                               QWidget* parent)
    : PaintedDialog(parent), m_requests(std::make_unique<BackgroundRequests>()),
      m_wait(std::make_unique<ResponsiveWait>()),
      m_window(std::make_unique<ExchangeWindow>(pool, dialogs, std::move(transports), *m_requests,
                                                *m_wait)) {
    m_window->open();
    const ExchangeWindowModel& m = m_window->model();
    setObjectName("exchangeDialog");
    setWindowTitle(toQt(m.caption));
    setAccessibleName(toQt(m.caption));
    setPaintRole(this, PaintRole::Background);
    resize(760, 420);

    auto* layout = new QVBoxLayout(this);
    auto* addressRow = new QHBoxLayout;
    m_ftpOption = named(new QRadioButton(toQt(m.ftpOption.caption)), "ftpModeOption", "FTP mode",
                        PaintRole::Option);
    m_lanOption = named(new QRadioButton(toQt(m.lanOption.caption)), "lanModeOption", "LAN mode",
                        PaintRole::Option);
    auto* addressLabel =
        named(new QLabel(toQt(m.addressLabel.caption)), "addressLabel", "Address", PaintRole::Text);
    m_address = named(new QLineEdit, "addressEdit", "Address");
    addressLabel->setBuddy(m_address);
    addressRow->addWidget(m_ftpOption);
    addressRow->addWidget(m_lanOption);
    addressRow->addSpacing(12);
    addressRow->addWidget(addressLabel);
    addressRow->addWidget(m_address, 1);
    addressRow->addWidget(
        addButton(m.changeButton, "changeAddressButton", [this] { m_window->changeAddress(); }));
    layout->addLayout(addressRow);

    auto* body = new QHBoxLayout;
    auto list = [](const char* name, const char* accessibleName) {
        auto* files = named(new QListWidget, name, accessibleName);
        files->setSelectionMode(QAbstractItemView::SingleSelection);
        return files;
    };
    m_localHeading =
        named(new QLabel, "localFilesLabel", "Files on this computer", PaintRole::Text);
    m_remoteHeading =
        named(new QLabel, "remoteFilesLabel", "Files at the shared place", PaintRole::Text);
    m_localFiles = list("localFileList", "Files on this computer");
    m_remoteFiles = list("remoteFileList", "Files at the shared place");
    m_localHeading->setBuddy(m_localFiles);
    m_remoteHeading->setBuddy(m_remoteFiles);
    m_listing = named(new QPlainTextEdit, "listingEdit", "The server's directory listing");
    m_listing->setReadOnly(true);
    m_listing->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_listing->setMaximumHeight(90);
    auto* local = new QVBoxLayout;
    local->addWidget(m_localHeading);
    local->addWidget(m_localFiles, 1);
    auto* remote = new QVBoxLayout;
    remote->addWidget(m_remoteHeading);
    remote->addWidget(m_remoteFiles, 2);
    remote->addWidget(m_listing, 1);
    body->addLayout(local, 2);
    body->addLayout(remote, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(addButton(m.localDirectoryButton, "localDirectoryButton",
                                 [this] { m_window->listLocalFiles(); }));
    buttons->addWidget(addButton(m.remoteDirectoryButton, "remoteDirectoryButton",
                                 [this] { m_window->listRemoteFiles(); }));
    buttons->addWidget(addButton(m.deleteRemoteFileButton, "deleteRemoteFileButton",
                                 [this] { m_window->deleteRemoteFile(); }));
    buttons->addSpacing(12);
    buttons->addWidget(addButton(m.downloadAllButton, "downloadAllButton",
                                 [this] { m_window->downloadAllUserFiles(); }));
    buttons->addWidget(addButton(m.uploadUserFilesButton, "uploadUserFilesButton",
                                 [this] { m_window->uploadUserFiles(); }));
    buttons->addWidget(addButton(m.uploadAdminFilesButton, "uploadAdminFilesButton",
                                 [this] { m_window->uploadAdminFiles(); }));
    buttons->addStretch();
    buttons->addWidget(addButton(m.exitButton, "exitButton", [this] {
        m_window->exit();
        m_wait->interrupt();
    }));
    body->addLayout(buttons);
    layout->addLayout(body, 1);

    m_progress = named(new QProgressBar, "exchangeProgressBar", "Exchange progress");
    m_status =
        named(new QLabel, "exchangeStatusLabel", "What the exchange is doing", PaintRole::Text);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);

    connect(m_ftpOption, &QRadioButton::clicked, this,
            [this] { run([this] { m_window->chooseFtpMode(); }); });
    connect(m_lanOption, &QRadioButton::clicked, this,
            [this] { run([this] { m_window->chooseLanMode(); }); });
    connect(m_address, &QLineEdit::returnPressed, this,
            [this] { run([this] { m_window->changeAddress(); }); });
    // The progress and the lists show while an operation waits.
    m_window->onChanged = [this] { render(); };
    render();
}

ExchangeDialog::~ExchangeDialog() {
    m_window->onChanged = nullptr;
}

QPushButton* ExchangeDialog::addButton(const ControlModel& model, const char* name,
                                       const std::function<void()>& handler) {
    auto* button =
        named(new QPushButton(toQt(model.caption)), name, toQt(model.caption), PaintRole::Button);
    button->setAutoDefault(false);
    m_buttons[name] = button;
    connect(button, &QPushButton::clicked, this, [this, handler] { run(handler); });
    return button;
}

void ExchangeDialog::reject() {
    run([this] {
        m_window->exit();
        m_wait->interrupt();
    });
}

void ExchangeDialog::run(const std::function<void()>& handler) {
    if (!m_window->isBusy()) {
        m_window->typeAddress(fromQt(m_address->text()));
        m_window->selectLocalFile(m_localFiles->currentRow());
        m_window->selectRemoteFile(m_remoteFiles->currentRow());
    }
    handler();
    render();
    // An Exit during an operation closes the window once the operation
    // has stopped, in the click that started it.
    if (!m_window->isOpen() && !m_window->isBusy() && isVisible())
        done(QDialog::Accepted);
}

void ExchangeDialog::render() {
    const ExchangeWindowModel& m = m_window->model();
    const ExchangeState& state = m.exchange;
    m_ftpOption->setChecked(state.place.mode == ExchangeMode::Ftp);
    m_lanOption->setChecked(state.place.mode == ExchangeMode::Lan);
    m_ftpOption->setEnabled(m.ftpOption.enabled);
    m_lanOption->setEnabled(m.lanOption.enabled);
    if (m_address->text() != toQt(m.addressBox.caption))
        m_address->setText(toQt(m.addressBox.caption));
    m_address->setEnabled(m.addressBox.enabled);

    for (const auto& [name, control] :
         std::initializer_list<std::pair<const char*, const ControlModel*>>{
             {"changeAddressButton", &m.changeButton},
             {"localDirectoryButton", &m.localDirectoryButton},
             {"remoteDirectoryButton", &m.remoteDirectoryButton},
             {"deleteRemoteFileButton", &m.deleteRemoteFileButton},
             {"downloadAllButton", &m.downloadAllButton},
             {"uploadUserFilesButton", &m.uploadUserFilesButton},
             {"uploadAdminFilesButton", &m.uploadAdminFilesButton},
             {"exitButton", &m.exitButton}}) {
        QPushButton* button = m_buttons.at(name);
        button->setText(toQt(control->caption));
        button->setEnabled(control->enabled);
        button->setToolTip(toQt(control->toolTip));
    }

    QString listing = toQt(state.listing);
    if (m_listing->toPlainText() != listing)
        m_listing->setPlainText(listing);
    // The raw listing only says something over FTP.
    m_listing->setVisible(state.place.mode == ExchangeMode::Ftp && !listing.isEmpty());

    showControl(m_localHeading, m.localHeading);
    showControl(m_remoteHeading, m.remoteHeading);
    showList(m_localFiles, m.localFiles);
    showList(m_remoteFiles, m.remoteFiles);
    m_status->setText(toQt(state.status));
    m_status->setVisible(!state.status.empty());

    const ProgressModel& progress = state.progress;
    m_progress->setRange(progress.minimum, progress.maximum);
    m_progress->setValue(progress.value);
    m_progress->setVisible(progress.visible);
}

} // namespace gs
