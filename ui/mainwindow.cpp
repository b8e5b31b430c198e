#include "mainwindow.h"

#include "aboutdialog.h"
#include "calendardialog.h"
#include "colorsettingsdialog.h"
#include "controls.h"
#include "core/poolday.h"
#include "core/poolmachine.h"
#include "firststartdialog.h"
#include "gamesupdatedialog.h"
#include "helpservices.h"
#include "loginpage.h"
#include "modelwidgets.h"
#include "painter.h"
#include "panelpage.h"
#include "resultspage.h"
#include "scoreentrydialog.h"
#include "scores/scoreentry.h"
#include "seasonyeardialog.h"
#include "settings/colors.h"
#include "statisticspage.h"
#include "teampages.h"
#include "textconv.h"
#include "useradminpage.h"
#include "weeklypickspage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

namespace gs {

namespace {

// What the window shows when no panel is up.
class BlankPage : public PanelPage {
public:
    BlankPage() : PanelPage({}) { setObjectName("blankPage"); }
    void render() override {}
};

} // namespace

MainWindow::MainWindow(Pool& pool, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_pool(pool), m_dialogs(dialogs), m_session(pool, dialogs, m_model),
      m_weeklyPicks(pool, dialogs), m_exports(pool, dialogs), m_backups(pool, dialogs),
      m_desktopOpener(std::make_unique<DesktopOpener>()),
      m_manualRenderer(std::make_unique<ManualPdfRenderer>()), m_opener(m_desktopOpener.get()),
      m_renderer(m_manualRenderer.get()) {
    setObjectName("mainWindow");
    setAccessibleName("Gridslate main window");
    // Room for the 32 teams of the team lists and a week of picks.
    resize(1024, 720);

    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    setPaintRole(central, PaintRole::Background);
    auto* layout = new QVBoxLayout(central);
    m_pages = new QStackedWidget(central);
    layout->addWidget(m_pages);
    setCentralWidget(central);

    auto runner = [this](const std::function<void()>& handler) { run(handler); };
    m_loginPage = new LoginPage(m_model);
    m_loginPage->onLogIn = [this] { logIn(); };
    m_loginPage->onExit = [this] { close(); };
    addPanelPage(Panel::Login, m_loginPage);
    addPanelPage(Panel::None, new BlankPage);
    addPanelPage(Panel::WeeklyPicks, new WeeklyPicksPage(m_weeklyPicks, runner));
    addPanelPage(Panel::AllResults, new ResultsPage(pool, dialogs, runner));
    addPanelPage(Panel::UserStatistics, new StatisticsPage(pool, dialogs, runner));
    addPanelPage(Panel::TeamStatistics, new TeamStatisticsPage(pool, dialogs, runner));
    addPanelPage(Panel::TeamRanking, new TeamRankingPage(pool, dialogs, runner));

    m_progress = named(new QProgressBar, "exportProgressBar", "Export progress");
    m_progress->setVisible(false);
    statusBar()->addPermanentWidget(m_progress, 1);
    m_exports.onProgress = [this](const ProgressModel& progress) { showProgress(progress); };

    buildMenus();
    addUserAdminPage();
    render();
}

QAction* MainWindow::addEntry(QMenu* menu, const char* name, const QString& caption,
                              std::function<void()> handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (handler)
        connect(action, &QAction::triggered, this, [handler] { handler(); });
    return action;
}

void MainWindow::buildMenus() {
    m_fileMenu = menuBar()->addMenu("&File");
    m_fileMenu->setObjectName("fileMenu");
    // A greyed-out entry says why when the pointer rests on it.
    m_fileMenu->setToolTipsVisible(true);
    addEntry(m_fileMenu, "logoutAction", "&Logout of Session", [this] { logOut(); });
    m_scoreEntryAction = addEntry(m_fileMenu, "enterScoresAction", "Enter Game &Scores",
                                  [this] { openScoreEntry(); });
    m_updateGamesAction = addEntry(m_fileMenu, "updateGamesAction", "Up&date Schedule and Scores",
                                   [this] { openGamesUpdate(); });
    addEntry(m_fileMenu, "userAdministrationAction", "&User List Administration",
             [this] { openUserAdministration(); });
    addEntry(m_fileMenu, "exchangeFilesAction", "Exchange Files with &Admin",
             [this] { openExchange(); });
    addEntry(m_fileMenu, "publishPageAction", "Publis&h Pool Page...", [this] { publishPage(); });
    addEntry(m_fileMenu, "changePasswordAction", "Change &Password",
             [this] { openPasswordChange(m_pool.currentUser()); });
    addEntry(m_fileMenu, "changeFolderAction", "Change &Folder Setting",
             [this] { openFolderChange(); });
    addEntry(m_fileMenu, "setSeasonAction", "Se&t Current Season", [this] { openSeasonYear(); });
    addEntry(m_fileMenu, "colorSettingsAction", "&Color Settings", [this] { openColorSettings(); });
    QMenu* exportMenu = m_fileMenu->addMenu("&Export");
    exportMenu->setObjectName("exportMenu");
    addEntry(exportMenu, "exportResultsAction", "All-User Pick &Results",
             [this] { runExport(&CsvExports::exportResults); });
    addEntry(exportMenu, "exportHistoryAction", "All-User Pick &History",
             [this] { runExport(&CsvExports::exportHistory); });
    addEntry(exportMenu, "exportStatisticsAction", "Active User &Stats",
             [this] { runExport(&CsvExports::exportStatistics); });
    addEntry(exportMenu, "exportWinnersAction", "All-User &Weekly Winners",
             [this] { runExport(&CsvExports::exportWinners); });
    QMenu* backup = m_fileMenu->addMenu("&Backup");
    backup->setObjectName("backupMenu");
    backup->setToolTipsVisible(true);
    addEntry(backup, "backupPicksAction", "&Picks Data",
             [this] { run([this] { m_backups.backUpPicks(); }); });
    m_adminBackupAction = addEntry(backup, "backupAdminAction", "&Admin Data",
                                   [this] { run([this] { m_backups.backUpAdminData(); }); });
    QMenu* restore = m_fileMenu->addMenu("&Restore");
    restore->setObjectName("restoreMenu");
    restore->setToolTipsVisible(true);
    addEntry(restore, "restorePicksAction", "&Picks Data", [this] { restorePicks(); });
    m_adminRestoreAction = addEntry(restore, "restoreAdminAction", "&Admin Data",
                                    [this] { run([this] { m_backups.restoreAdminData(); }); });
    m_fileMenu->addSeparator();
    QAction* exit = addEntry(m_fileMenu, "exitAction", "E&xit", [this] { close(); });

    // The standard keys: they work from anywhere in the window.
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(exit);

    m_viewMenu = menuBar()->addMenu("&View");
    m_viewMenu->setObjectName("viewMenu");
    addEntry(m_viewMenu, "seasonCalendarAction", "Season &Calendar",
             [this] { openSeasonCalendar(); });
    addEntry(m_viewMenu, "weeklyPicksAction", "This &Week's Picks", [this] { openWeeklyPicks(); });
    addEntry(m_viewMenu, "allResultsAction", "&All-User Pick Results",
             [this] { openPanel(Panel::AllResults); });
    addEntry(m_viewMenu, "userStatisticsAction", "User &Statistics",
             [this] { openPanel(Panel::UserStatistics); });
    addEntry(m_viewMenu, "teamRankingAction", "PC's Team &Ranking List",
             [this] { openPanel(Panel::TeamRanking); });
    addEntry(m_viewMenu, "teamStatisticsAction", "&Team Statistics",
             [this] { openPanel(Panel::TeamStatistics); });
    addEntry(m_viewMenu, "scoresPageAction", "&NFL.com Scores",
             [this] { run([this] { help().openScoresPage(); }); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("helpMenu");
    QAction* manual = addEntry(help, "userManualAction", "User &Manual", [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        run([this] { this->help().openUserManual(); });
        QApplication::restoreOverrideCursor();
    });
    addEntry(help, "aboutAction", "&About Gridslate", [this] { openAbout(); });
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(manual);
}

void MainWindow::run(const std::function<void()>& handler) {
    // "today" moves on while the window stays open.
    refreshPoolDay(m_pool);
    m_loginPage->takeTyped();
    handler();
    m_session.followPool();
    render();
}

bool MainWindow::leavePanel() {
    if (!m_weeklyPicks.mayLeave())
        return false;
    m_model.hidePanels();
    return true;
}

bool MainWindow::leavePanelForWindow() {
    // The page stays up behind the window; only picks not yet saved need
    // an answer first.
    bool left = false;
    run([&] { left = m_weeklyPicks.mayLeave(); });
    return left;
}

void MainWindow::reopenPanel() {
    run([this] {
        // The page is up while it builds, so that its progress can show.
        render();
        m_panelPages.at(m_model.shownPanel())->open();
    });
}

void MainWindow::showFirstStart() {
    auto* dialog =
        new FirstStartDialog({.setPassword = [this] { openPasswordChange(m_pool.currentUser()); },
                              .addPlayers = [this] { openUserAdministration(); },
                              .chooseSeason = [this] { openSeasonYear(); }},
                             this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->paint(colorSlots(m_pool.colorScheme()));
    dialog->show();
}

void MainWindow::logIn() {
    // A player sees at once what to do: the week's picks open with the login.
    run([this] {
        if (m_session.logIn())
            showWeeklyPicks();
    });
    if (m_session.isFirstStart())
        showFirstStart();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool leave = true;
    run([&] { leave = m_weeklyPicks.mayLeave(); });
    if (leave)
        event->accept();
    else
        event->ignore();
}

void MainWindow::logOut() {
    run([this] {
        if (m_weeklyPicks.mayLeave())
            m_session.logOut();
    });
}

void MainWindow::openWeeklyPicks() {
    run([this] { showWeeklyPicks(); });
}

void MainWindow::showWeeklyPicks() {
    // Opening again reads the picks from the file: the same question first.
    if (!leavePanel())
        return;
    m_model.panel = Panel::WeeklyPicks;
    m_weeklyPicks.open();
}

void MainWindow::addPanelPage(Panel panel, PanelPage* page) {
    m_panelPages[panel] = page;
    m_pages->addWidget(page);
}

void MainWindow::openPanel(Panel panel) {
    run([this, panel] {
        if (!leavePanel())
            return;
        m_model.panel = panel;
        // The page is up while it builds, so that its progress can show.
        render();
        m_panelPages.at(panel)->open();
    });
}

void MainWindow::restorePicks() {
    run([this] {
        if (!m_backups.restorePicks())
            return;
        // What is on show was read from the file the backup replaced.
        m_panelPages.at(m_model.shownPanel())->reloadPicks();
    });
}

void MainWindow::render() {
    const MainWindowModel& w = m_model;
    setWindowTitle(toQt(w.caption));
    m_fileMenu->menuAction()->setEnabled(w.fileMenuEnabled);
    m_viewMenu->menuAction()->setEnabled(w.viewMenuEnabled);
    showEntry(m_scoreEntryAction, w.scoreEntryEntry);
    showEntry(m_updateGamesAction, w.updateGamesEntry);
    showEntry(m_adminBackupAction, w.adminBackupEntry);
    showEntry(m_adminRestoreAction, w.adminRestoreEntry);

    PanelPage* page = m_panelPages.at(w.shownPanel());
    m_pages->setCurrentWidget(page);
    page->render();
    // A login or a colour choice may have changed the scheme in force.
    if (m_pool.colorScheme() != m_paintedScheme && !w.loginVisible)
        paintAll();
}

void MainWindow::paintAll() {
    m_paintedScheme = m_pool.colorScheme();
    ColorSlots colors = colorSlots(m_pool.colorScheme());
    paintWindow(this, colors);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<PaintedDialog*>(widget))
            dialog->paint(colors);
}

void MainWindow::openColorSettings() {
    if (!leavePanelForWindow())
        return;
    ColorSettingsDialog dialog(
        m_pool, [this] { paintAll(); }, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
    storeSchemeWithCurrentUser(m_pool);
    // Nothing on the page depends on the colours: it stays as it was.
    render();
}

void MainWindow::openScoreEntry() {
    std::unique_ptr<ScoreEntry> model;
    run([&] {
        if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs) || !m_weeklyPicks.mayLeave())
            return;
        model = gs::openScoreEntry(m_pool, m_dialogs);
    });
    if (!model)
        return;
    ScoreEntryDialog dialog(std::move(model), this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
    // The page shows the new scores.
    reopenPanel();
}

void MainWindow::openGamesUpdate() {
    bool allowed = false;
    run([&] {
        allowed = requireAdmin(m_pool, m_pool.currentUser(), m_dialogs) &&
                  requireAdministratorsMachine(m_pool, m_dialogs) && leavePanel();
    });
    if (!allowed)
        return;
    GamesUpdateDialog dialog(m_pool, m_dialogs, {}, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    // A window whose update could not start has said why already.
    if (dialog.update().isRunning())
        dialog.exec();
    render();
}

} // namespace gs

namespace gs {

HelpCommands MainWindow::help() {
    return HelpCommands(m_pool, m_dialogs, *m_opener, *m_renderer);
}

void MainWindow::showProgress(const ProgressModel& progress) {
    // The export runs inside this event, so the bar is painted here and
    // now; but at most every 50 ms, for painting it at every step would
    // cost more than the export itself.
    constexpr qint64 kProgressPaintMs = 50;
    bool shown = m_progress->isVisible() != progress.visible;
    if (!shown && m_sinceProgressPainted.isValid() &&
        m_sinceProgressPainted.elapsed() < kProgressPaintMs)
        return;
    m_progress->setRange(progress.minimum, progress.maximum);
    m_progress->setValue(progress.value);
    m_progress->setVisible(progress.visible);
    m_progress->repaint();
    m_sinceProgressPainted.start();
}

void MainWindow::runExport(void (CsvExports::*exportFile)()) {
    run([this, exportFile] {
        // The export reads the pick files; the page stays as it is.
        if (!m_weeklyPicks.mayLeave())
            return;
        (m_exports.*exportFile)();
    });
}

void MainWindow::openSeasonYear() {
    if (!leavePanelForWindow())
        return;
    const int season = m_pool.seasonYear();
    // The title follows the season at once; the page waits for the close.
    SeasonYearDialog dialog(
        m_pool, m_dialogs,
        [this] {
            m_session.followPool();
            setWindowTitle(toQt(m_model.caption));
        },
        this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
    // The page shows the season now in force.
    if (m_pool.seasonYear() != season)
        reopenPanel();
    else
        render();
}

void MainWindow::openSeasonCalendar() {
    CalendarDialog dialog(m_pool, m_dialogs, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
    render();
}

void MainWindow::openAbout() {
    AboutDialog dialog([this] { help().openMakerPage(); }, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
}

} // namespace gs
