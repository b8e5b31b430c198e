#pragma once

// The main window "Actions": the login controls, the menus and the panels,
// rendered from State.Window after every handler.

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

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Takes what the person typed into the model, runs a handler, and shows
    // the model's new state.
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
    void openScoreEntry();
    void openColorSettings();

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
    bool m_painted = false;
};

} // namespace gs
