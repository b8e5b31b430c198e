#pragma once

// The "Internet File Transfer Tool" window: the transfer mode and the
// address of the shared place, the directory listings, and the buttons of
// the three exchange operations. The window layer renders the model and
// forwards the events here.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "exchange/exchangeoperations.h"

#include <functional>
#include <string>

namespace gs {

inline constexpr const char* kExchangeCaption = "Internet File Transfer Tool";
// Why the shared place's own buttons are greyed out for a player.
inline constexpr const char* kExchangeNeedsAdminTip =
    "Only the pool's administrator can list, delete or upload the shared files.";

struct ExchangeWindowModel {
    std::string caption = kExchangeCaption;
    ControlModel ftpOption{"ftp://", true};
    ControlModel lanOption{"LAN", true};
    ControlModel addressLabel{"Address:", true};
    ControlModel addressBox{"", true}; // caption: what the box holds
    ControlModel changeButton{"Change", true};
    ControlModel localDirectoryButton{"Local Directory of User Files", true};
    ControlModel remoteDirectoryButton{"Remote Directory", true};
    ControlModel deleteRemoteFileButton{"Delete Remote File", true};
    ControlModel downloadAllButton{"Download All User Files", true};
    ControlModel uploadUserFilesButton{"Upload User Files", true};
    ControlModel uploadAdminFilesButton{"Upload Admin Files", true};
    ControlModel exitButton{"Exit", true};
    // The transfer mode, the working address, the listing box, the file
    // list and the progress bar.
    ExchangeState exchange;
};

class ExchangeWindow {
public:
    ExchangeWindow(Pool& pool, Dialogs& dialogs, TransportFactory makeTransport,
                   RequestRunner& requests, RetryWait& wait);

    // Opening: the mode and working address from the user's stored address;
    // the administrator's buttons only for a user with administrator rights.
    void open();

    // What the person typed into the address box and chose in the file list.
    void typeAddress(const std::string& text);
    void selectFile(int index);

    // "ftp://" and "LAN": the transfer mode; the address box is emptied, the
    // working address stays until "Change".
    void chooseFtpMode();
    void chooseLanMode();
    // "Change": the address box becomes the working address and is stored
    // with the user.
    void changeAddress();
    // "Local Directory of User Files": the user's pick files.
    void listLocalFiles();
    // "Remote Directory".
    void listRemoteFiles();
    // "Delete Remote File": the selected remote file, after OK/Cancel.
    void deleteRemoteFile();
    void downloadAllUserFiles();
    void uploadUserFiles();
    void uploadAdminFiles();
    // "Exit": ends the connection and closes; while an operation runs, it
    // cancels the operation's wait and closes once the operation stopped.
    void exit();

    const ExchangeWindowModel& model() const { return m_model; }
    bool isOpen() const { return m_open; }
    // An operation is running (the window waits for the shared place).
    bool isBusy() const { return m_busy; }

    // Told whenever the model changed in the middle of an operation, so the
    // window can show progress while it waits.
    std::function<void()> onChanged;

private:
    bool userHasRights();
    void runOperation(const std::function<OperationEnd()>& operation);
    void close();
    void enableControls();

    Pool& m_pool;
    Dialogs& m_dialogs;
    ExchangeWindowModel m_model;
    ExchangeOperations m_operations;
    bool m_open = false;
    bool m_busy = false;
    bool m_exitRequested = false;
};

} // namespace gs
