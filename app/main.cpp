#include "app/commandline.h"
#include "core/version.h"
#include "ui/mainwindow.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QIcon>

#include <iostream>

int main(int argc, char** argv) {
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
        return QApplication::exec();
    };
    return gs::runCommandLine(args, startWindow, std::cout, std::cerr);
}
