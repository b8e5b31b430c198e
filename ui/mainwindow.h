#pragma once

// The main window: the login controls, the menus and the panels, rendered
// from their models after every handler.

#include "accounts/useradministration.h"
#include "core/dialogs.h"
#include "core/pool.h"
#include "export/csvexports.h"
#include "picks/weeklypicks.h"
#include "session/login.h"
#include "session/mainwindowmodel.h"
#include "utilities/backup.h"
#include "utilities/help.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QProgressBar;
class QStackedWidget;

namespace gs {

class LoginPage;
class PanelPage;
class UserAdminPage;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Pool& pool, Dialogs& dialogs, QWidget* parent = nullptr);

    // Takes what the person typed into the model, runs a handler, and shows
    // the models' new state.
    void run(const std::function<void()>& handler);
    void render();
    // Paints this window and every open dialog with the scheme in force.
    void paintAll();
    // Where pages and documents are opened and how the manual is printed;
    // tests put fakes here so nothing outside the test opens.
    void setOpener(Opener& opener) { m_opener = &opener; }
    void setManualRenderer(ManualRenderer& renderer) { m_renderer = &renderer; }
    // On a machine without a user list, before anybody logged in: the
    // choice to start a new pool here or to join one run elsewhere.
    void offerPoolStart();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Lets the panel on show make way, asking first about picks not yet
    // saved; false when the person stays where he is.
    bool leavePanel();
    // Before a window opens over the page: the question about picks not yet
    // saved, run as a handler of its own. The page stays.
    bool leavePanelForWindow();
    // After a window that may have changed what the page shows: the page
    // is built again.
    void reopenPanel();
    // After the login that set up the pool: what to do next.
    void showFirstStart();
    void logIn();
    void logOut();
    QAction* addEntry(QMenu* menu, const char* name, const QString& caption,
                      std::function<void()> handler = {});
    void buildMenus();
    void openWeeklyPicks();
    void showWeeklyPicks();
    void addPanelPage(Panel panel, PanelPage* page);
    void openPanel(Panel panel);
    void restorePicks();
    void openScoreEntry();
    // "Update Schedule and Scores": for an administrator only; the window
    // also sets where the games file comes from.
    void openGamesUpdate();
    void openColorSettings();
    // ui/mainwindowaccounts.cpp: the user list administration page and the
    // account windows.
    void addUserAdminPage();
    void openUserAdministration();
    void openPasswordChange(const std::string& user);
    void openPasswordChangeForChosenPlayer();
    void openUserNameChange();
    void openFolderChange();
    void openSeasonYear();
    void openSeasonCalendar();
    void openAbout();
    // ui/mainwindowexchange.cpp: the "Internet File Transfer Tool", and
    // "Join a Pool", which logs the player in once he joined.
    void openExchange();
    void openJoinPool();
    // "Publish Pool Page...": the page written, sent to its address and
    // offered in the browser.
    void publishPage();
    void logInAs(const std::string& name, const std::string& password);
    void runExport(void (CsvExports::*exportFile)());
    void showProgress(const ProgressModel& progress);
    HelpCommands help();

    Pool& m_pool;
    Dialogs& m_dialogs;
    MainWindowModel m_model;
    Session m_session;
    WeeklyPicksPanel m_weeklyPicks;
    UserAdministrationPanel m_userAdmin{m_pool, m_dialogs};
    int m_paintedScheme = -1;
    CsvExports m_exports;
    BackupCommands m_backups;
    std::unique_ptr<Opener> m_desktopOpener;
    std::unique_ptr<ManualRenderer> m_manualRenderer;
    Opener* m_opener = nullptr;
    ManualRenderer* m_renderer = nullptr;
    QProgressBar* m_progress = nullptr;
    QElapsedTimer m_sinceProgressPainted;

    QStackedWidget* m_pages = nullptr;
    // A page for every panel the model can show, the login controls and
    // the blank page among them.
    std::map<Panel, PanelPage*> m_panelPages;
    // The two pages whose boxes and lists every handler of theirs reads.
    LoginPage* m_loginPage = nullptr;
    UserAdminPage* m_userAdminPage = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    // The entries that need administrator rights.
    QAction* m_scoreEntryAction = nullptr;
    QAction* m_updateGamesAction = nullptr;
    QAction* m_adminBackupAction = nullptr;
    QAction* m_adminRestoreAction = nullptr;
};

} // namespace gs
