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
#include <memory>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kExchangeCaption = "Internet File Transfer Tool";
// Why the shared place's own buttons are greyed out for a player.
inline constexpr const char* kExchangeNeedsAdminTip =
    "Only the pool's administrator can list, delete or upload the shared files.";

// Headings of the window's two file lists.
inline constexpr const char* kLocalFilesHeading = "On this computer";
inline constexpr const char* kServerFilesHeading = "On the server";
inline constexpr const char* kSharedFolderFilesHeading = "In the shared folder";
// What "Upload User Files" says when it had nothing to send.
inline constexpr const char* kNothingChosenToSendMessage =
    "Nothing was sent: choose the file to send in the list \"On this computer\" first.";
inline constexpr const char* kNoOwnFilesToSendMessage =
    "Nothing was sent: there are no pick files of yours on this computer yet.";
inline constexpr const char* kNothingFetchedMessage =
    "Nothing was fetched: the shared place holds no files this computer takes.";

struct ExchangeWindowModel {
    std::string caption = kExchangeCaption;
    ControlModel ftpOption{"ftp://", true};
    ControlModel lanOption{"LAN", true};
    ControlModel addressLabel{"Address:", true};
    // caption: what the box shows, the password of an FTP address masked;
    // the address itself stays in exchange.place.
    ControlModel addressBox{"", true};
    ControlModel changeButton{"Change", true};
    ControlModel localDirectoryButton{"Local Directory of User Files", true};
    ControlModel remoteDirectoryButton{"Remote Directory", true};
    ControlModel deleteRemoteFileButton{"Delete Remote File", true};
    ControlModel downloadAllButton{"Download All User Files", true};
    ControlModel uploadUserFilesButton{"Upload User Files", true};
    ControlModel uploadAdminFilesButton{"Upload Admin Files", true};
    ControlModel exitButton{"Exit", true};
    // The user's data files here, and the names the shared place holds,
    // each under its heading.
    ControlModel localHeading{kLocalFilesHeading, true};
    ListModel localFiles;
    ControlModel remoteHeading{kSharedFolderFilesHeading, true};
    ListModel remoteFiles;
    // The transfer mode, the working address, the listing box, the files
    // an operation moves, the progress bar and the progress line.
    ExchangeState exchange;
};

class ExchangeWindow {
public:
    ExchangeWindow(Pool& pool, Dialogs& dialogs, TransportFactory makeTransport,
                   RequestRunner& requests, RetryWait& wait);
    ~ExchangeWindow();
    ExchangeWindow(const ExchangeWindow&) = delete;
    ExchangeWindow& operator=(const ExchangeWindow&) = delete;

    // Opening: the mode and working address from the user's stored address;
    // the administrator's buttons only for a user with administrator rights.
    void open();

    // What the person typed into the address box and chose in the lists.
    void typeAddress(const std::string& text);
    void selectLocalFile(int index);
    void selectRemoteFile(int index);

    // "ftp://" and "LAN": the transfer mode; the address box is emptied, the
    // working address stays until "Change".
    void chooseFtpMode();
    void chooseLanMode();
    // "Change": the address box becomes the working address and is stored
    // with the user.
    void changeAddress();
    // "Local Directory of User Files": the user's data files, into the list
    // "On this computer" (filled at the opening as well).
    void listLocalFiles();
    // "Remote Directory": the shared place's names into its list.
    void listRemoteFiles();
    // "Delete Remote File": the file selected in the shared place's list,
    // after OK/Cancel.
    void deleteRemoteFile();
    // The three operations end in one message: what was sent or fetched,
    // and what failed. Each failed try meanwhile shows on the progress line.
    void downloadAllUserFiles();
    // An administrator sends the file selected in the list "On this
    // computer"; anybody else his own pick files. On a player's machine the
    // button is greyed out for all but the player who joined from it, with
    // the reason. After an upload that sent a file, the shared place's list
    // is read again for a user who may list it.
    void uploadUserFiles();
    void uploadAdminFiles();
    // "Exit": ends the connection and closes; while an operation runs, it
    // cancels the operation's wait and closes once the operation stopped.
    void exit();

    // How long the shared place may take; tests shorten it.
    void setLimits(const ExchangeLimits& limits) { m_operations.limits = limits; }

    const ExchangeWindowModel& model() const { return m_model; }
    bool isOpen() const { return m_open; }
    // An operation is running (the window waits for the shared place).
    bool isBusy() const { return m_busy; }

    // Told whenever the model changed in the middle of an operation, so the
    // window can show progress while it waits.
    std::function<void()> onChanged;

private:
    class OperationMessages;
    // How an operation's end is told.
    struct Report {
        bool tellSuccess = true; // false: the lists show a success well enough
        std::string nothingDone; // said when it ended without moving a file
    };

    bool userHasRights();
    void runOperation(const std::function<OperationEnd()>& operation, const Report& report);
    void tellEnd(OperationEnd end, const Report& report);
    void listSentFiles();
    void showPlaceInBox();
    void followMode();
    void close();
    void enableControls();

    Pool& m_pool;
    Dialogs& m_dialogs;
    // Holds the operation's messages back for its one final message; must
    // be made before the operations that talk to it.
    std::unique_ptr<OperationMessages> m_messages;
    ExchangeWindowModel m_model;
    ExchangeOperations m_operations;
    std::vector<std::string> m_moved; // what the running operation moved
    std::string m_boxAddress;         // the address the box stands for, unmasked
    bool m_open = false;
    bool m_busy = false;
    bool m_exitRequested = false;
};

} // namespace gs
