#include "mainwindow.h"

#include "colorsettingsdialog.h"
#include "controls.h"
#include "core/state.h"
#include "gridview.h"
#include "login/login.h"
#include "painter.h"
#include "picks/scoreentry.h"
#include "picks/weeklypicks.h"
#include "prefs/colors.h"
#include "scoreentrydialog.h"
#include "textconv.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace gs {

namespace {

void showControl(QWidget* widget, const ControlModel& model) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(toQt(model.caption));
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        button->setText(toQt(model.caption));
    widget->setVisible(model.visible);
    widget->setEnabled(model.enabled);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Actions");
    setAccessibleName("Gridslate main window");
    resize(980, 640);

    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    central->setAttribute(Qt::WA_StyledBackground, true);
    auto* layout = new QVBoxLayout(central);
    m_pages = new QStackedWidget(central);
    layout->addWidget(m_pages);
    setCentralWidget(central);

    m_loginPage = buildLoginPage();
    m_blankPage = new QWidget;
    m_blankPage->setObjectName("blankPage");
    m_weeklyPage = buildWeeklyPicksPage();
    m_pages->addWidget(m_loginPage);
    m_pages->addWidget(m_blankPage);
    m_pages->addWidget(m_weeklyPage);

    buildMenus();
    setColorSchemeListener([this] { paintAll(); });
    render();
}

MainWindow::~MainWindow() {
    setColorSchemeListener({});
}

QWidget* MainWindow::buildLoginPage() {
    auto* page = new QWidget;
    page->setObjectName("loginPage");
    auto* outer = new QVBoxLayout(page);
    auto* form = new QGridLayout;
    auto* nameLabel = named(new QLabel("User Name"), "Label28", "User Name");
    auto* passwordLabel = named(new QLabel("Password"), "Label29", "Password");
    m_userName = named(new QLineEdit, "Text1", "User Name");
    m_password = named(new QLineEdit, "Text2", "Password");
    m_password->setEchoMode(QLineEdit::Password);
    auto* login = named(new QPushButton("Login"), "Command12", "Login");
    auto* exit = named(new QPushButton("Exit"), "Command13", "Exit");
    // Part of the layout, but never shown: there is no way to recover a password.
    auto* forgot = named(new QLabel("Forgot Password"), "Label30", "Forgot Password");
    forgot->hide();
    nameLabel->setBuddy(m_userName);
    passwordLabel->setBuddy(m_password);
    login->setDefault(true);

    form->addWidget(nameLabel, 0, 0);
    form->addWidget(m_userName, 0, 1);
    form->addWidget(passwordLabel, 1, 0);
    form->addWidget(m_password, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(login);
    buttons->addWidget(exit);
    form->addLayout(buttons, 2, 1);
    form->addWidget(forgot, 3, 1);
    auto* centre = new QHBoxLayout;
    centre->addStretch();
    centre->addLayout(form);
    centre->addStretch();
    outer->addStretch();
    outer->addLayout(centre);
    outer->addStretch();

    for (QWidget* w :
         {static_cast<QWidget*>(nameLabel), static_cast<QWidget*>(passwordLabel),
          static_cast<QWidget*>(login), static_cast<QWidget*>(exit), static_cast<QWidget*>(forgot)})
        m_controls[w->objectName().toStdString()] = w;

    connect(login, &QPushButton::clicked, this, [this] { run(Command12_Click); });
    connect(m_password, &QLineEdit::returnPressed, this, [this] { run(Command12_Click); });
    connect(m_userName, &QLineEdit::returnPressed, this, [this] { run(Command12_Click); });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget* MainWindow::buildWeeklyPicksPage() {
    auto* page = new QWidget;
    page->setObjectName("weeklyPicksPage");
    auto* layout = new QVBoxLayout(page);
    auto* header = new QHBoxLayout;
    auto* heading = named(new QLabel, "Label2", "Viewing Picks for Week");
    auto* week = named(new QLabel, "Label3", "Week number");
    auto* firstDate = named(new QLabel, "Label4", "Date of the week's first game");
    auto* thru = named(new QLabel, "Label14", "Thru");
    auto* lastDate = named(new QLabel, "Label13", "Date of the week's last game");
    auto* previous = named(new QPushButton, "Command2", "Previous week");
    auto* next = named(new QPushButton, "Command1", "Next week");
    auto* save = named(new QPushButton, "Command3", "Save Picks");
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 2);
    big.setBold(true);
    heading->setFont(big);
    week->setFont(big);
    header->addWidget(heading);
    header->addWidget(week);
    header->addSpacing(24);
    header->addWidget(firstDate);
    header->addWidget(thru);
    header->addWidget(lastDate);
    header->addStretch();
    header->addWidget(previous);
    header->addWidget(next);
    layout->addLayout(header);

    m_picksGrid = named(new GridView, "MSFlexGrid1", "This week's games");
    layout->addWidget(m_picksGrid, 1);
    auto* footer = new QHBoxLayout;
    footer->addStretch();
    footer->addWidget(save);
    layout->addLayout(footer);

    for (QWidget* w : std::initializer_list<QWidget*>{heading, week, firstDate, thru, lastDate,
                                                      previous, next, save})
        m_controls[w->objectName().toStdString()] = w;

    connect(next, &QPushButton::clicked, this, [this] { run(Command1_Click); });
    connect(previous, &QPushButton::clicked, this, [this] { run(Command2_Click); });
    connect(save, &QPushButton::clicked, this, [this] { run(Command3_Click); });
    m_picksGrid->onCellClicked = [this](int row, int col) {
        run([row, col] { MSFlexGrid1_Click(row, col); });
    };
    return page;
}

QAction* MainWindow::addEntry(QMenu* menu, const char* name, const QString& caption,
                              std::function<void()> handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    m_actions[name] = action;
    if (handler)
        connect(action, &QAction::triggered, this, [handler] { handler(); });
    return action;
}

void MainWindow::buildMenus() {
    m_fileMenu = menuBar()->addMenu("&File");
    m_fileMenu->setObjectName("mnuFile");
    addEntry(m_fileMenu, "mnuItemLogout", "Logout of Session",
             [this] { run(mnuItemLogout_Click); });
    addEntry(m_fileMenu, "mnuItemScores", "Enter Game Scores", [this] { openScoreEntry(); });
    addEntry(m_fileMenu, "mnuUserListItem", "User List Administration");
    addEntry(m_fileMenu, "mnuItemSync", "Exchange Files with Admin");
    addEntry(m_fileMenu, "mnuItemChangePassword", "Change Password");
    addEntry(m_fileMenu, "mnuItemChangeFolder", "Change Folder Setting");
    addEntry(m_fileMenu, "mnuItemSeason", "Set Current Season");
    addEntry(m_fileMenu, "mnuSetupItem", "Color Settings", [this] { openColorSettings(); });
    QMenu* exportMenu = m_fileMenu->addMenu("Export");
    exportMenu->setObjectName("mnuExport");
    addEntry(exportMenu, "mnuItemExportAllResults", "All-User Pick Results");
    addEntry(exportMenu, "mnuItemExportAll", "All-User Pick History");
    addEntry(exportMenu, "mnuItemExportUserStats", "Active User Stats");
    QMenu* backup = m_fileMenu->addMenu("Backup");
    backup->setObjectName("mnu1");
    addEntry(backup, "mnuItemBackupPicks", "Picks Data");
    addEntry(backup, "mnuItemBackupAdmin", "Admin Data");
    QMenu* restore = m_fileMenu->addMenu("Restore");
    restore->setObjectName("mnu2");
    addEntry(restore, "mnuItemRestoreUserPicks", "Picks Data");
    addEntry(restore, "mnuItemRestoreAdmin", "Admin Data");
    m_fileMenu->addSeparator();
    addEntry(m_fileMenu, "mnuExitItem", "Exit", [this] { close(); });

    m_viewMenu = menuBar()->addMenu("&View");
    m_viewMenu->setObjectName("mnuView");
    addEntry(m_viewMenu, "mnuItemCalendarView", "Season Calendar");
    addEntry(m_viewMenu, "mnuItemThisWeek", "This Week's Picks",
             [this] { run(mnuItemThisWeek_Click); });
    addEntry(m_viewMenu, "mnuItemAllResults", "All-User Pick Results");
    addEntry(m_viewMenu, "mnuUserStatsItem", "User Statistics");
    addEntry(m_viewMenu, "mnuItemRanking", "PC's Team Ranking List");
    addEntry(m_viewMenu, "mnuStatsItem", "Team Statistics");
    addEntry(m_viewMenu, "mnuItemCheckScores", "NFL.com Scores");

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuItemHelp");
    addEntry(help, "mnuUserManual", "User Manual");
    addEntry(help, "mnuItemAbout", "About Gridslate");
}

void MainWindow::run(const std::function<void()>& handler) {
    State.Window.Text1 = fromQt(m_userName->text());
    State.Window.Text2 = fromQt(m_password->text());
    handler();
    render();
}

void MainWindow::render() {
    const MainWindowModel& w = State.Window;
    setWindowTitle(toQt(w.caption));
    m_fileMenu->menuAction()->setEnabled(w.fileMenuEnabled);
    m_viewMenu->menuAction()->setEnabled(w.viewMenuEnabled);
    m_actions["mnuItemBackupAdmin"]->setEnabled(w.backupAdminEnabled);
    m_actions["mnuItemRestoreAdmin"]->setEnabled(w.restoreAdminEnabled);

    if (m_userName->text() != toQt(w.Text1))
        m_userName->setText(toQt(w.Text1));
    if (m_password->text() != toQt(w.Text2))
        m_password->setText(toQt(w.Text2));

    QWidget* page = m_blankPage;
    if (w.loginVisible)
        page = m_loginPage;
    else if (w.panel == Panel::WeeklyPicks)
        page = m_weeklyPage;
    m_pages->setCurrentWidget(page);

    for (const auto& [name, model] :
         std::initializer_list<std::pair<const char*, const ControlModel*>>{
             {"Label2", &w.Label2},
             {"Label3", &w.Label3},
             {"Label4", &w.Label4},
             {"Label13", &w.Label13},
             {"Label14", &w.Label14},
             {"Command1", &w.Command1},
             {"Command2", &w.Command2},
             {"Command3", &w.Command3}})
        showControl(m_controls[name], *model);
    m_picksGrid->setVisible(w.panel == Panel::WeeklyPicks);
    if (w.panel == Panel::WeeklyPicks)
        m_picksGrid->render(w.MSFlexGrid1);
    if (w.loginVisible && page == m_loginPage)
        m_userName->setFocus();
}

void MainWindow::paintAll() {
    m_painted = true;
    PaintPlan plan;
    plan.windowBackground =
        QStringList{"centralWidget", "Frame1", "Frame2"} + numberedNames("Label", 24, 33);
    plan.buttons = numberedNames("Command", 1, 15);
    plan.texts = numberedNames("Label", 1, 33) + QStringList{"Wins", "Losses", "Ties"};
    plan.buttonColoredTexts = {"Frame1", "Frame2"};
    paintWindow(this, plan);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<PaintedDialog*>(widget))
            dialog->paint();
}

void MainWindow::openColorSettings() {
    run(mnuSetupItem_Click);
    ColorSettingsDialog dialog(this);
    dialog.exec();
    colorSettingsClosed();
    render();
}

void MainWindow::openScoreEntry() {
    std::unique_ptr<ScoreEntryWindow> model;
    run([&] { model = mnuItemScores_Click(); });
    if (!model)
        return;
    ScoreEntryDialog dialog(std::move(model), this);
    dialog.exec();
    render();
}

} // namespace gs
