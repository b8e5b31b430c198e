#include "exchangewindow.h"

#include "core/poolmachine.h"
#include "core/text.h"
#include "core/userlist.h"
#include "exchange/exchangefiles.h"
#include "net/address.h"

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

// Passes every question on; while an operation runs, holds its messages
// back, so that the window tells the operation's end once.
class ExchangeWindow::OperationMessages final : public Dialogs {
public:
    struct Held {
        MessageKind kind;
        std::string text;
    };

    explicit OperationMessages(Dialogs& person) : m_person(person) {}

    void message(MessageKind kind, const std::string& text, const std::string& title) override {
        if (m_holding)
            m_held.push_back({kind, text});
        else
            m_person.message(kind, text, title);
    }
    bool confirm(const std::string& text, const std::string& title) override {
        return m_person.confirm(text, title);
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override {
        return m_person.input(prompt, title, defaultText);
    }
    SaveAnswer askToSave(const std::string& text, const std::string& title) override {
        return m_person.askToSave(text, title);
    }

    void hold() {
        m_holding = true;
        m_held.clear();
    }
    std::vector<Held> release() {
        m_holding = false;
        return std::move(m_held);
    }

private:
    Dialogs& m_person;
    bool m_holding = false;
    std::vector<Held> m_held;
};

ExchangeWindow::ExchangeWindow(Pool& pool, Dialogs& dialogs, TransportFactory makeTransport,
                               RequestRunner& requests, RetryWait& wait)
    : m_pool(pool), m_dialogs(dialogs), m_messages(std::make_unique<OperationMessages>(dialogs)),
      m_operations(pool, *m_messages, m_model.exchange, std::move(makeTransport), requests, wait) {
    m_operations.onStateChanged = [this] {
        if (onChanged)
            onChanged();
    };
    m_operations.onFileMoved = [this](const std::string& line) { m_moved.push_back(line); };
}

ExchangeWindow::~ExchangeWindow() = default;

bool ExchangeWindow::userHasRights() {
    const UserSlot* user = m_pool.currentSlot();
    return user && user->admin == 1;
}

void ExchangeWindow::open() {
    m_model.exchange = ExchangeState{};
    // A user who left the list since the login has no stored place.
    const UserSlot* user = m_pool.currentSlot();
    m_model.exchange.place = openingPlace(user ? user->exchangeAddress : std::string());
    m_boxAddress = m_model.exchange.place.address;
    showPlaceInBox();
    followMode();
    m_open = true;
    m_busy = false;
    m_exitRequested = false;
    listLocalFiles();
    enableControls();
}

// The box shows the address with its password masked; the address itself
// is kept, so that "Change" on a box nobody edited keeps the password.
void ExchangeWindow::showPlaceInBox() {
    m_model.addressBox.caption = m_model.exchange.place.mode == ExchangeMode::Ftp
                                     ? maskedAddress(m_boxAddress)
                                     : m_boxAddress;
}

void ExchangeWindow::followMode() {
    m_model.remoteHeading.caption = m_model.exchange.place.mode == ExchangeMode::Ftp
                                        ? kServerFilesHeading
                                        : kSharedFolderFilesHeading;
}

void ExchangeWindow::enableControls() {
    bool idle = !m_busy;
    bool rights = userHasRights();
    for (ControlModel* control :
         {&m_model.ftpOption, &m_model.lanOption, &m_model.addressBox, &m_model.changeButton,
          &m_model.localDirectoryButton, &m_model.downloadAllButton})
        control->enabled = idle;
    for (ControlModel* control : {&m_model.remoteDirectoryButton, &m_model.deleteRemoteFileButton,
                                  &m_model.uploadAdminFilesButton}) {
        control->enabled = idle && rights;
        control->toolTip = rights ? "" : kExchangeNeedsAdminTip;
    }
    if (rights && isPlayersMachine(m_pool.folders())) {
        for (ControlModel* control :
             {&m_model.deleteRemoteFileButton, &m_model.uploadAdminFilesButton}) {
            control->enabled = false;
            control->toolTip = kPlayersMachineMessage;
        }
    }
    Status mayUpload = mayUploadPickFiles(m_pool);
    m_model.uploadUserFilesButton.enabled = idle && mayUpload;
    m_model.uploadUserFilesButton.toolTip = mayUpload ? "" : mayUpload.error().message;
    m_model.exitButton.enabled = !m_exitRequested;
}

void ExchangeWindow::typeAddress(const std::string& text) {
    m_model.addressBox.caption = text;
}

namespace {

void select(ListModel& list, int index) {
    list.selected = index >= 0 && index < static_cast<int>(list.entries.size()) ? index : -1;
}

} // namespace

void ExchangeWindow::selectLocalFile(int index) {
    select(m_model.localFiles, index);
}

void ExchangeWindow::selectRemoteFile(int index) {
    select(m_model.remoteFiles, index);
}

void ExchangeWindow::chooseFtpMode() {
    if (m_busy)
        return;
    m_model.exchange.place.mode = ExchangeMode::Ftp;
    m_model.addressBox.caption.clear();
    m_boxAddress.clear();
}

void ExchangeWindow::chooseLanMode() {
    if (m_busy)
        return;
    m_model.exchange.place.mode = ExchangeMode::Lan;
    m_model.addressBox.caption.clear();
    m_boxAddress.clear();
}

void ExchangeWindow::changeAddress() {
    if (m_busy)
        return;
    ExchangePlace& place = m_model.exchange.place;
    std::string typed = m_model.addressBox.caption;
    // The box as it was shown stands for the address it masks.
    if (!typed.empty() && place.mode == ExchangeMode::Ftp && typed == maskedAddress(m_boxAddress))
        typed = m_boxAddress;
    if (typed.empty()) {
        m_boxAddress = boxTextOf(place);
        showPlaceInBox();
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
    m_boxAddress = boxTextOf(place);
    showPlaceInBox();
    followMode();
    m_model.remoteFiles = ListModel{};
    int k = m_pool.userSlot(m_pool.currentUser());
    if (k == 0) {
        m_dialogs.refuse(kNotOnUserListMessage);
        return;
    }
    UserSlot user = m_pool.users()[k];
    user.exchangeAddress = place.address;
    m_pool.setUser(k, std::move(user));
    if (Status saved = saveUserList(m_pool); !saved)
        m_dialogs.refuse(saved.error().message);
}

void ExchangeWindow::listLocalFiles() {
    if (m_busy)
        return;
    std::vector<std::string> names;
    std::error_code ec;
    fs::path folder = m_pool.pickFolder(m_pool.userSlot(m_pool.currentUser()));
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        std::error_code typeError;
        std::string name = entry->path().filename().string();
        if (entry->is_regular_file(typeError) && isDataFileName(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    m_model.localFiles = ListModel{names, -1};
}

void ExchangeWindow::listRemoteFiles() {
    if (!userHasRights())
        return;
    runOperation([this] { return m_operations.listRemoteDirectory(); },
                 {.tellSuccess = false, .nothingDone = ""});
    m_model.remoteFiles = m_model.exchange.fileList;
}

void ExchangeWindow::deleteRemoteFile() {
    if (m_busy || !userHasRights())
        return;
    const ListModel& list = m_model.remoteFiles;
    if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size())) {
        m_dialogs.inform("Select the remote file to delete in the file list.");
        return;
    }
    std::string name = list.entries[static_cast<size_t>(list.selected)];
    if (!m_dialogs.confirm("Delete " + name + " from the shared place?", "Delete Remote File"))
        return;
    runOperation([this, name] { return m_operations.deleteRemoteFile(name); },
                 {.tellSuccess = false, .nothingDone = ""});
    m_model.remoteFiles = m_model.exchange.fileList;
}

void ExchangeWindow::downloadAllUserFiles() {
    runOperation([this] { return m_operations.downloadAllUserFiles(); },
                 {.tellSuccess = true, .nothingDone = kNothingFetchedMessage});
}

void ExchangeWindow::uploadUserFiles() {
    // Who sends the file chosen here rather than his own pick files, as the
    // operation decides it.
    const UserSlot* user = m_pool.currentSlot();
    bool chooses =
        !isPlayersMachine(m_pool.folders()) &&
        (m_model.exchange.place.mode == ExchangeMode::Ftp ? m_pool.currentUser() == kAdminUser
                                                          : user && user->admin != 0);
    m_model.exchange.fileList = m_model.localFiles;
    runOperation([this] { return m_operations.uploadUserFiles(); },
                 {.tellSuccess = true,
                  .nothingDone = chooses ? kNothingChosenToSendMessage : kNoOwnFilesToSendMessage});
    listSentFiles();
}

void ExchangeWindow::uploadAdminFiles() {
    if (!userHasRights())
        return;
    runOperation([this] { return m_operations.uploadAdminFiles(); }, {});
    listSentFiles();
}

// The shared place's list shows what an upload sent, for whoever may list it.
void ExchangeWindow::listSentFiles() {
    if (!m_moved.empty() && m_open && userHasRights())
        listRemoteFiles();
}

void ExchangeWindow::runOperation(const std::function<OperationEnd()>& operation,
                                  const Report& report) {
    if (m_busy || !m_open)
        return;
    m_busy = true;
    m_moved.clear();
    enableControls();
    if (onChanged)
        onChanged();
    m_messages->hold();
    OperationEnd end = operation();
    m_busy = false;
    tellEnd(end, report);
    m_model.exchange.status.clear();
    // What a download brought shows at once.
    listLocalFiles();
    // A malformed address cannot work until another is stored.
    if (end == OperationEnd::MalformedAddress || m_exitRequested)
        close();
    enableControls();
}

// One message for the whole operation: what it moved, then what failed.
void ExchangeWindow::tellEnd(OperationEnd end, const Report& report) {
    std::vector<std::string> failed;
    std::vector<std::string> notes;
    for (const OperationMessages::Held& held : m_messages->release()) {
        if (held.text == kOperationCompleteMessage)
            continue;
        if (held.kind == MessageKind::Information)
            notes.push_back(held.text);
        else
            failed.push_back(held.text);
    }
    const bool listed = report.tellSuccess == false && end == OperationEnd::Completed;
    if (listed || (end == OperationEnd::Cancelled && m_moved.empty() && failed.empty()))
        return;

    auto lines = [](const std::vector<std::string>& items) {
        std::string text;
        for (const std::string& item : items)
            text += "\n  " + item;
        return text;
    };
    std::string text;
    if (failed.empty() && end != OperationEnd::Failed && end != OperationEnd::MalformedAddress) {
        if (m_moved.empty()) {
            text = report.nothingDone.empty() ? kOperationCompleteMessage : report.nothingDone;
        } else {
            text = std::string(kOperationCompleteMessage) + lines(m_moved);
        }
        if (!notes.empty())
            text += "\n\nNot sent:" + lines(notes);
        m_dialogs.inform(text);
        return;
    }
    // A failure before anything moved says just that.
    if (m_moved.empty() && notes.empty() && failed.size() == 1) {
        m_dialogs.refuse(failed.front());
        return;
    }
    text = end == OperationEnd::Cancelled ? "The operation was stopped." : "The operation failed.";
    if (!m_moved.empty())
        text += "\n\nDone:" + lines(m_moved);
    if (!failed.empty())
        text += "\n\nFailed:" + lines(failed);
    if (!notes.empty())
        text += "\n\nNot sent:" + lines(notes);
    m_dialogs.refuse(text);
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
