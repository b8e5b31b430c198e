#pragma once

// The main window: the login controls, the menus and the panels, rendered
// from their models after every handler.

#include "core/dialogs.h"
#include "core/mainwindowmodel.h"
#include "core/pool.h"
#include "login/login.h"
#include "picks/weeklypicks.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;

namespace gs {

class GridView;
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

private:
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
    void openScoreEntry();
    void openColorSettings();

    Pool& m_pool;
    Dialogs& m_dialogs;
    MainWindowModel m_model;
    Session m_session;
    WeeklyPicksPanel m_weeklyPicks;
    int m_paintedScheme = -1;

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
    // The pages of the panels that live in their own files.
    std::map<Panel, PanelPage*> m_panelPages;
};

} // namespace gs
