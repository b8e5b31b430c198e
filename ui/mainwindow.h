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
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace gs {

class GridView;
class UserAdminPage;
class PanelPage;

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
    void logOut();
    QAction* addEntry(QMenu* menu, const char* name, const QString& caption,
                      std::function<void()> handler = {});
    QWidget* buildLoginPage();
    QWidget* buildWeeklyPicksPage();
    void buildMenus();
    void renderWeeklyPicks();
    void openWeeklyPicks();
    void showWeeklyPicks();
    void addPanelPage(Panel panel, PanelPage* page);
    void openPanel(Panel panel);
    void restorePicks();
    void openScoreEntry();
    // "Update Schedule and Scores": for an administrator only.
    void openGamesUpdate();
    void openColorSettings();
    // ui/mainwindowaccounts.cpp: the user list administration page and the
    // account windows.
    void addAccountPages();
    void openUserAdministration();
    void openPasswordChange(const std::string& user);
    void openPasswordChangeForChosenPlayer();
    void openUserNameChange();
    void openFolderChange();
    void openSeasonYear();
    void openSeasonCalendar();
    void openAbout();
    // ui/mainwindowexchange.cpp: the "Internet File Transfer Tool".
    void openExchange();
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
    QWidget* m_loginPage = nullptr;
    QWidget* m_blankPage = nullptr;
    QWidget* m_weeklyPage = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QLineEdit* m_userName = nullptr;
    QLineEdit* m_password = nullptr;
    std::map<std::string, QWidget*> m_controls;
    std::map<std::string, QAction*> m_actions;
    GridView* m_picksGrid = nullptr;
    UserAdminPage* m_userAdminPage = nullptr;
    // The pages of the panels that live in their own files.
    std::map<Panel, PanelPage*> m_panelPages;
};

} // namespace gs
