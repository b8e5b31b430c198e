#include "exchangewindow.h"

#include "core/text.h"
#include "core/userlist.h"
#include "exchange/exchangefiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace gs {

namespace fs = std::filesystem;

namespace {

bool hasFtpScheme(std::string_view address) {
    return address.size() >= 6 && upperAscii(address.substr(0, 6)) == "FTP://";
}

// The address box shows an FTP address without its scheme.
std::string boxTextOf(const ExchangePlace& place) {
    if (place.mode == ExchangeMode::Ftp && hasFtpScheme(place.address))
        return place.address.substr(6);
    return place.address;
}

} // namespace

ExchangeWindow::ExchangeWindow(Pool& pool, Dialogs& dialogs, TransportFactory makeTransport,
                               RequestRunner& requests, RetryWait& wait)
    : m_pool(pool), m_dialogs(dialogs),
      m_operations(pool, dialogs, m_model.exchange, std::move(makeTransport), requests, wait) {
    m_operations.onStateChanged = [this] {
        if (onChanged)
            onChanged();
    };
}

bool ExchangeWindow::userHasRights() {
    return m_pool.currentSlot().admin == 1;
}

void ExchangeWindow::open() {
    m_model.exchange = ExchangeState{};
    m_model.exchange.place = openingPlace(m_pool.currentSlot().exchangeAddress);
    m_model.addressBox.caption = m_model.exchange.place.address;
    m_open = true;
    m_busy = false;
    m_exitRequested = false;
    enableControls();
}

void ExchangeWindow::enableControls() {
    bool idle = !m_busy;
    bool rights = userHasRights();
    for (ControlModel* control : {&m_model.ftpOption, &m_model.lanOption, &m_model.addressBox,
                                  &m_model.changeButton, &m_model.localDirectoryButton,
                                  &m_model.downloadAllButton, &m_model.uploadUserFilesButton})
        control->enabled = idle;
    for (ControlModel* control : {&m_model.remoteDirectoryButton, &m_model.deleteRemoteFileButton,
                                  &m_model.uploadAdminFilesButton}) {
        control->enabled = idle && rights;
        control->toolTip = rights ? "" : kExchangeNeedsAdminTip;
    }
    m_model.exitButton.enabled = !m_exitRequested;
}

void ExchangeWindow::typeAddress(const std::string& text) {
    m_model.addressBox.caption = text;
}

void ExchangeWindow::selectFile(int index) {
    ListModel& list = m_model.exchange.fileList;
    list.selected = index >= 0 && index < static_cast<int>(list.entries.size()) ? index : -1;
}

void ExchangeWindow::chooseFtpMode() {
    if (m_busy)
        return;
    m_model.exchange.place.mode = ExchangeMode::Ftp;
    m_model.addressBox.caption.clear();
}

void ExchangeWindow::chooseLanMode() {
    if (m_busy)
        return;
    m_model.exchange.place.mode = ExchangeMode::Lan;
    m_model.addressBox.caption.clear();
}

void ExchangeWindow::changeAddress() {
    if (m_busy)
        return;
    ExchangePlace& place = m_model.exchange.place;
    std::string typed = m_model.addressBox.caption;
    if (typed.empty()) {
        m_model.addressBox.caption = boxTextOf(place);
        return;
    }
    if (place.mode == ExchangeMode::Ftp) {
        if (typed.back() == '/')
            typed.pop_back();
        // The scheme is stored in one spelling, so that the next opening
        // recognises the address, whatever case it was typed in.
        place.address = kFtpScheme + (hasFtpScheme(typed) ? typed.substr(6) : typed);
    } else {
        place.address = typed;
    }
    m_model.addressBox.caption = boxTextOf(place);
    m_pool.currentSlot().exchangeAddress = place.address;
    if (Status saved = saveUserList(m_pool); !saved)
        m_dialogs.refuse(saved.error());
}

void ExchangeWindow::listLocalFiles() {
    if (m_busy)
        return;
    std::vector<std::string> names;
    std::error_code ec;
    fs::path folder = m_pool.pickFolder(m_pool.userSlot(m_pool.currentUser));
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        std::error_code typeError;
        std::string name = entry->path().filename().string();
        if (entry->is_regular_file(typeError) && isDataFileName(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    m_model.exchange.fileList = ListModel{names, -1};
}

void ExchangeWindow::listRemoteFiles() {
    if (!userHasRights())
        return;
    runOperation([this] { return m_operations.listRemoteDirectory(); });
}

void ExchangeWindow::deleteRemoteFile() {
    if (m_busy || !userHasRights())
        return;
    const ListModel& list = m_model.exchange.fileList;
    if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size())) {
        m_dialogs.inform("Select the remote file to delete in the file list.");
        return;
    }
    std::string name = list.entries[static_cast<size_t>(list.selected)];
    if (!m_dialogs.confirm("Delete " + name + " from the shared place?", "Delete Remote File"))
        return;
    runOperation([this, name] { return m_operations.deleteRemoteFile(name); });
}

void ExchangeWindow::downloadAllUserFiles() {
    runOperation([this] { return m_operations.downloadAllUserFiles(); });
}

void ExchangeWindow::uploadUserFiles() {
    runOperation([this] { return m_operations.uploadUserFiles(); });
}

void ExchangeWindow::uploadAdminFiles() {
    if (!userHasRights())
        return;
    runOperation([this] { return m_operations.uploadAdminFiles(); });
}

void ExchangeWindow::runOperation(const std::function<OperationEnd()>& operation) {
    if (m_busy || !m_open)
        return;
    m_busy = true;
    enableControls();
    if (onChanged)
        onChanged();
    OperationEnd end = operation();
    m_busy = false;
    // A malformed address cannot work until another is stored.
    if (end == OperationEnd::MalformedAddress || m_exitRequested)
        close();
    enableControls();
}

void ExchangeWindow::exit() {
    if (m_busy) {
        m_exitRequested = true;
        m_operations.cancel();
        enableControls();
        return;
    }
    close();
}

void ExchangeWindow::close() {
    m_operations.quit();
    m_open = false;
}

} // namespace gs
