#include "ftpserver.h"
#include "tests/ui/uitest.h"
#include "ui/exchangedialog.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

namespace gs {
namespace {

class ExchangeWindowGui : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loginAsAdmin();
    }
};

TEST_F(ExchangeWindowGui, FtpModeAndChangeStoreTheAddressForTheNextOpening) {
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        EXPECT_TRUE(test::child<QRadioButton>(dialog, "lanModeOption")->isChecked());
        QTest::mouseClick(test::child<QRadioButton>(dialog, "ftpModeOption"), Qt::LeftButton);
        EXPECT_FALSE(test::child<QRadioButton>(dialog, "lanModeOption")->isChecked());
        test::child<QLineEdit>(dialog, "addressEdit")->setText("host.example/pool/");
        test::press(dialog, "changeAddressButton");
        EXPECT_EQ(test::child<QLineEdit>(dialog, "addressEdit")->text(), "host.example/pool");
        test::press(dialog, "exitButton");
    }));
    EXPECT_EQ(program.pool.currentSlot().exchangeAddress, "ftp://host.example/pool");
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        EXPECT_TRUE(test::child<QRadioButton>(dialog, "ftpModeOption")->isChecked());
        EXPECT_EQ(test::child<QLineEdit>(dialog, "addressEdit")->text(), "host.example/pool");
        test::press(dialog, "exitButton");
    }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ExchangeWindowGui, ListsAndUploadsThroughASharedFolder) {
    test::TempDir shared;
    test::writeBytes(shared.path() / "Al2010.dat", "picks");
    program.pool.currentSlot().exchangeAddress = shared.path().string();
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        auto* files = test::child<QListWidget>(dialog, "remoteFileList");
        test::press(dialog, "remoteDirectoryButton");
        ASSERT_EQ(files->count(), 1);
        EXPECT_EQ(files->item(0)->text(), "Al2010.dat");
        test::press(dialog, "uploadAdminFilesButton");
        test::press(dialog, "exitButton");
    }));
    EXPECT_EQ(
        test::folderEntries(shared.path()),
        (std::vector<std::string>{"Al2010.dat", "PC2010.dat", "UserList.db", "scoresheet97.mdb"}));
}

TEST_F(ExchangeWindowGui, ExitCancelsAWaitingRequest) {
    test::FtpServer server;
    program.pool.currentSlot().exchangeAddress = "ftp://" + server.address();
    server.stop();
    bool closed = false;
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        // Exit is pressed while the window waits for the server: the first
        // request fails, its error code is shown, and the wait begins.
        QTimer::singleShot(200, dialog, [dialog] { test::press(dialog, "exitButton"); });
        test::press(dialog, "remoteDirectoryButton");
        closed = !dialog->isVisible();
    }));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(program.dialogs.messages().empty());
}

// A server that is down: the tries show on the progress line, and one
// message at the end says what failed.
TEST_F(ExchangeWindowGui, AFailingServerEndsInOneMessage) {
    test::FtpServer server;
    program.pool.currentSlot().exchangeAddress = "ftp://" + server.address();
    server.stop();
    ExchangeDialog dialog(program.pool, program.dialogs, makeTransport, window.get());
    ExchangeLimits quick;
    quick.retryPause = std::chrono::milliseconds(20);
    quick.tries = 3;
    dialog.setLimits(quick);
    dialog.show();
    QStringList progressLines;
    auto* status = test::child<QLabel>(&dialog, "exchangeStatusLabel");
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (status->isVisible() && !progressLines.contains(status->text()))
            progressLines << status->text();
    });
    watch.start(5);
    test::press(&dialog, "uploadAdminFilesButton");
    watch.stop();
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_TRUE(program.dialogs.messages()[0].starts_with("Error: Sending scoresheet97.mdb to "))
        << program.dialogs.messages()[0];
    EXPECT_TRUE(progressLines.join("\n").contains("try 1 of 3 failed"))
        << progressLines.join("\n").toStdString();
    EXPECT_FALSE(status->isVisible());
}

} // namespace
} // namespace gs
