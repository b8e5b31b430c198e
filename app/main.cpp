#include "app/commandline.h"
#include "core/version.h"
#include "ui/mainwindow.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    // Whatever slips past the command line's own handling ends the program
    // with a reason and status 1, never with an abort and a core dump.
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        auto startWindow = [&](gs::Pool& pool) {
            QApplication app(argc, argv);
            QApplication::setApplicationName("Gridslate");
            QApplication::setApplicationVersion(gs::kVersion);
            QApplication::setDesktopFileName("io.github.gridslate.Gridslate");
            QApplication::setWindowIcon(QIcon(":/icons/gridslate.png"));
            gs::QtDialogs dialogs;
            gs::MainWindow window(pool, dialogs);
            window.show();
            window.offerPoolStart();
            return QApplication::exec();
        };
        auto showStartError = [&](const std::string& reason) {
            QApplication app(argc, argv);
            QMessageBox::critical(nullptr, "Gridslate", QString::fromStdString(reason));
        };
        return gs::runCommandLine(args, startWindow, std::cout, std::cerr, showStartError);
    } catch (const std::exception& e) {
        std::cerr << "gridslate: stopped by an unexpected error: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "gridslate: stopped by an unexpected error\n";
    }
    return 1;
}
