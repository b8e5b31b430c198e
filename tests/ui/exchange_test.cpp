#include "ftpserver.h"
#include "tests/ui/uitest.h"

namespace gs {
namespace {

class ExchangeWindowGui : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loginAsAdmin();
    }
};

// A shared folder is listed and sent to; a switch to FTP and Change store
// the new place for the next opening.
TEST_F(ExchangeWindowGui, ButtonsListSendAndChangeThePlace) {
    test::TempDir shared;
    test::writeBytes(shared.path() / "Al2010.dat", "picks");
    program.pool.currentSlot().exchangeAddress = shared.path().string();
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        auto* files = test::child<QListWidget>(dialog, "remoteFileList");
        test::press(dialog, "remoteDirectoryButton");
        ASSERT_EQ(files->count(), 1);
        EXPECT_EQ(files->item(0)->text(), "Al2010.dat");
        test::press(dialog, "uploadAdminFilesButton");
        EXPECT_TRUE(test::child<QRadioButton>(dialog, "lanModeOption")->isChecked());
        QTest::mouseClick(test::child<QRadioButton>(dialog, "ftpModeOption"), Qt::LeftButton);
        EXPECT_FALSE(test::child<QRadioButton>(dialog, "lanModeOption")->isChecked());
        test::child<QLineEdit>(dialog, "addressEdit")->setText("host.example/pool/");
        test::press(dialog, "changeAddressButton");
        EXPECT_EQ(test::child<QLineEdit>(dialog, "addressEdit")->text(), "host.example/pool");
        test::press(dialog, "exitButton");
    }));
    EXPECT_EQ(
        test::folderEntries(shared.path()),
        (std::vector<std::string>{"Al2010.dat", "PC2010.dat", "UserList.db", "scoresheet97.mdb"}));
    EXPECT_EQ(program.pool.currentSlot().exchangeAddress, "ftp://host.example/pool");
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        EXPECT_TRUE(test::child<QRadioButton>(dialog, "ftpModeOption")->isChecked());
        EXPECT_EQ(test::child<QLineEdit>(dialog, "addressEdit")->text(), "host.example/pool");
        test::press(dialog, "exitButton");
    }));
}

// A server that is down: the failed try shows on the progress line, and
// Exit, pressed while the window waits to try again, cancels the wait.
TEST_F(ExchangeWindowGui, AFailedTryShowsAndExitCancelsTheWait) {
    test::FtpServer server;
    program.pool.currentSlot().exchangeAddress = "ftp://" + server.address();
    server.stop();
    QString progress;
    bool closed = false;
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        auto* status = test::child<QLabel>(dialog, "exchangeStatusLabel");
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!status->isVisible() || !status->text().contains("failed"))
                return;
            progress = status->text();
            watch.stop();
            test::press(dialog, "exitButton");
        });
        watch.start(5);
        test::press(dialog, "remoteDirectoryButton");
        closed = !dialog->isVisible();
    }));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(progress.contains("try 1 of 10 failed")) << progress.toStdString();
    EXPECT_TRUE(program.dialogs.messages().empty());
}

} // namespace
} // namespace gs
