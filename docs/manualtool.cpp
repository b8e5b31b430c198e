// Makes the user manual's pictures and its PDF:
//   gridslate_manual pictures DIR           the program's windows on the bundled
//                                           season, as PNG files in DIR
//   gridslate_manual pdf MANUAL.md ROOT OUT prints the manual (its pictures
//                                           below ROOT) to OUT
// Runs offscreen (QT_QPA_PLATFORM=offscreen), in a temporary home.

#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "scores/scoreentry.h"
#include "ui/aboutdialog.h"
#include "ui/calendardialog.h"
#include "ui/colorsettingsdialog.h"
#include "ui/gridview.h"
#include "ui/helpservices.h"
#include "ui/mainwindow.h"
#include "ui/scoreentrydialog.h"
#include "ui/seasonyeardialog.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <iostream>

namespace gs {
namespace {

// Refusals go to standard error, and nothing waits for a click.
class LoggedDialogs final : public Dialogs {
public:
    void message(MessageKind kind, const std::string& text, const std::string& title) override {
        if (kind == MessageKind::Error)
            std::cerr << "gridslate_manual: " << title << ": " << text << '\n';
    }
    bool confirm(const std::string&, const std::string&) override { return true; }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
};

bool save(QWidget* widget, const QDir& folder, const QString& name) {
    widget->show();
    QApplication::processEvents();
    QString path = folder.filePath(name + ".png");
    if (!widget->grab().save(path, "PNG")) {
        std::cerr << "gridslate_manual: cannot write " << path.toStdString() << '\n';
        return false;
    }
    return true;
}

template <typename T> T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found)
        std::cerr << "gridslate_manual: no " << name << '\n';
    return found;
}

void logIn(MainWindow& window, const char* name) {
    child<QLineEdit>(&window, "userNameEdit")->setText(name);
    child<QLineEdit>(&window, "passwordEdit")->clear();
    child<QPushButton>(&window, "loginButton")->click();
}

int renderPictures(const QString& target) {
    QDir folder(target);
    if (!folder.mkpath(".")) {
        std::cerr << "gridslate_manual: cannot create " << target.toStdString() << '\n';
        return 1;
    }
    QTemporaryDir home;
    Pool pool(home.path().toStdString());
    LoggedDialogs dialogs;
    if (Status table = ensureGamesTable(pool); !table) {
        std::cerr << "gridslate_manual: " << table.error().message << '\n';
        return 1;
    }
    // A steady text cursor: every run draws the same pixels.
    QApplication::setCursorFlashTime(0);
    bool ok = true;

    MainWindow window(pool, dialogs);
    window.resize(980, 640);
    ok &= save(&window, folder, "login");
    logIn(window, "admin"); // the first login only makes the user list
    logIn(window, "admin");

    child<QAction>(&window, "weeklyPicksAction")->trigger();
    if (auto* grid = child<GridView>(&window, "picksGrid"); grid && grid->onCellClicked) {
        // A few picks of the coming week, as a player would make them.
        for (auto [row, column] : {std::pair{1, 1}, {2, 0}, {4, 1}, {5, 1}})
            grid->onCellClicked(row, column);
    }
    ok &= save(&window, folder, "weekly-picks");

    if (std::unique_ptr<ScoreEntry> scores = openScoreEntry(pool, dialogs)) {
        ScoreEntryDialog dialog(std::move(scores), &window);
        dialog.paint(colorSlots(pool.colorScheme()));
        ok &= save(&dialog, folder, "score-entry");
    }
    {
        SeasonYearDialog dialog(pool, dialogs, {}, &window);
        dialog.paint(colorSlots(pool.colorScheme()));
        ok &= save(&dialog, folder, "season-year");
    }
    {
        CalendarDialog dialog(pool, dialogs, &window);
        dialog.paint(colorSlots(pool.colorScheme()));
        if (auto* calendar = child<QCalendarWidget>(&dialog, "seasonCalendar")) {
            QDate sunday(2010, 11, 7);
            calendar->setSelectedDate(sunday);
            emit calendar->clicked(sunday);
        }
        ok &= save(&dialog, folder, "season-calendar");
    }
    {
        ColorSettingsDialog dialog(pool, {}, &window);
        dialog.paint(colorSlots(pool.colorScheme()));
        ok &= save(&dialog, folder, "color-scheme");
    }
    {
        AboutDialog dialog({}, &window);
        dialog.paint(colorSlots(pool.colorScheme()));
        ok &= save(&dialog, folder, "about");
    }
    return ok ? 0 : 1;
}

int printManual(const QString& markdownFile, const QString& imageRoot, const QString& pdf) {
    QFile source(markdownFile);
    if (!source.open(QIODevice::ReadOnly)) {
        std::cerr << "gridslate_manual: cannot read " << markdownFile.toStdString() << '\n';
        return 1;
    }
    Status printed = printMarkdownPdf(QString::fromUtf8(source.readAll()), imageRoot, pdf);
    if (!printed) {
        std::cerr << "gridslate_manual: " << printed.error().message << '\n';
        return 1;
    }
    return 0;
}

} // namespace
} // namespace gs

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == "pictures")
        return gs::renderPictures(args[2]);
    if (args.size() == 5 && args[1] == "pdf")
        return gs::printManual(args[2], args[3], args[4]);
    std::cerr << "usage: gridslate_manual pictures DIR | pdf MANUAL.md ROOT OUT.pdf\n";
    return 2;
}
