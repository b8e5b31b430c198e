#include "app/commandline.h"
#include "core/dialogs.h"
#include "ui/mainwindow.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto startWindow = [&]() {
        QApplication app(argc, argv);
        QApplication::setApplicationName("Gridslate");
        gs::QtDialogs qtDialogs;
        gs::setDialogs(&qtDialogs);
        gs::MainWindow window;
        window.show();
        int status = QApplication::exec();
        gs::setDialogs(nullptr);
        return status;
    };
    return gs::runCommandLine(args, startWindow, std::cout, std::cerr);
}
