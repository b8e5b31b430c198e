#include "core/textfile.h"
#include "core/userlist.h"
#include "exchange/address.h"
#include "ftpserver.h"
#include "tests/ui/uitest.h"
#include "ui/exchangedialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>

namespace gs {
namespace {

namespace fs = std::filesystem;

class ExchangeWindowGui : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loginAsAdmin();
    }
    template <typename T> static T* in(QWidget* dialog, const char* name) {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void press(QWidget* dialog, const char* button) {
        QTest::mouseClick(in<QPushButton>(dialog, button), Qt::LeftButton);
    }
    std::string storedAddress() {
        std::vector<std::string> file = readTextFile(preferencePath(program.pool.folders, "admin"))
                                            .value_or(std::vector<std::string>{});
        return file.empty() ? "" : file.front().substr(file.front().find(',') + 1);
    }
};

TEST_F(ExchangeWindowGui, ModeSwitchAndChangeStoreTheAddress) {
    bool opened = withModal("exchangeFilesAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Internet File Transfer Tool");
        auto* ftp = in<QRadioButton>(dialog, "ftpModeOption");
        auto* lan = in<QRadioButton>(dialog, "lanModeOption");
        auto* address = in<QLineEdit>(dialog, "addressEdit");
        EXPECT_EQ(ftp->text(), "ftp://");
        EXPECT_EQ(lan->text(), "LAN");
        EXPECT_TRUE(lan->isChecked());
        EXPECT_EQ(address->text(), "");
        EXPECT_TRUE(in<QPushButton>(dialog, "uploadAdminFilesButton")->isEnabled());
        EXPECT_FALSE(in<QProgressBar>(dialog, "exchangeProgressBar")->isVisible());

        QTest::mouseClick(ftp, Qt::LeftButton);
        EXPECT_TRUE(ftp->isChecked());
        EXPECT_FALSE(lan->isChecked());
        EXPECT_EQ(address->text(), "");
        address->setText("host.example/pool/");
        press(dialog, "changeAddressButton");
        EXPECT_EQ(address->text(), "host.example/pool");
        press(dialog, "exitButton");
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(storedAddress(), "ftp://host.example/pool");
    EXPECT_EQ(program.pool.currentSlot().exchangeAddress, "ftp://host.example/pool");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The next opening starts in FTP mode on the stored address.
    opened = withModal("exchangeFilesAction", [&](QWidget* dialog) {
        EXPECT_TRUE(in<QRadioButton>(dialog, "ftpModeOption")->isChecked());
        EXPECT_EQ(in<QLineEdit>(dialog, "addressEdit")->text(), "host.example/pool");
        // "LAN" with an empty box and "Change" keeps the address.
        QTest::mouseClick(in<QRadioButton>(dialog, "lanModeOption"), Qt::LeftButton);
        press(dialog, "changeAddressButton");
        EXPECT_EQ(in<QLineEdit>(dialog, "addressEdit")->text(), "host.example/pool");
        press(dialog, "exitButton");
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(storedAddress(), "ftp://host.example/pool");
}

TEST_F(ExchangeWindowGui, ListsAndUploadsThroughASharedFolder) {
    test::TempDir shared;
    test::writeBytes(shared.path() / "Al2010.dat", "picks");
    program.pool.currentSlot().exchangeAddress = shared.path().string();
    bool opened = withModal("exchangeFilesAction", [&](QWidget* dialog) {
        auto* files = in<QListWidget>(dialog, "remoteFileList");
        EXPECT_EQ(in<QLabel>(dialog, "remoteFilesLabel")->text(), "In the shared folder");
        EXPECT_EQ(in<QLabel>(dialog, "localFilesLabel")->text(), "On this computer");
        press(dialog, "remoteDirectoryButton");
        ASSERT_EQ(files->count(), 1);
        EXPECT_EQ(files->item(0)->text(), "Al2010.dat");
        press(dialog, "uploadAdminFilesButton");
        press(dialog, "exitButton");
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(
        test::folderEntries(shared.path()),
        (std::vector<std::string>{"Al2010.dat", "PC2010.dat", "UserList.db", "scoresheet97.mdb"}));
}

TEST_F(ExchangeWindowGui, ExitCancelsAWaitingRequest) {
    test::FtpServer server;
    program.pool.currentSlot().exchangeAddress = "ftp://" + server.address();
    server.stop();
    bool closed = false;
    bool opened = withModal("exchangeFilesAction", [&](QWidget* dialog) {
        // Exit is pressed while the window waits for the server: the first
        // request fails, its error code is shown, and the wait begins.
        QTimer::singleShot(200, dialog, [dialog] { press(dialog, "exitButton"); });
        press(dialog, "remoteDirectoryButton");
        closed = !dialog->isVisible();
    });
    ASSERT_TRUE(opened);
    EXPECT_TRUE(closed);
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{});
}

// A server that is down: the tries show on the progress line, and one
// message at the end says what failed.
TEST_F(ExchangeWindowGui, AFailingServerEndsInOneMessage) {
    test::FtpServer server;
    // The server's address carries its user's password.
    program.pool.currentSlot().exchangeAddress = "ftp://" + server.address();
    ASSERT_NE(server.address().find(":secret@"), std::string::npos);
    server.stop();
    ExchangeDialog dialog(program.pool, program.dialogs, makeTransport, window.get());
    ExchangeLimits quick;
    quick.retryPause = std::chrono::milliseconds(20);
    quick.tries = 3;
    dialog.setLimits(quick);
    dialog.show();
    EXPECT_EQ(in<QLineEdit>(&dialog, "addressEdit")->text().toStdString(),
              maskedAddress(server.address()));
    EXPECT_FALSE(in<QLineEdit>(&dialog, "addressEdit")->text().contains("secret"));
    EXPECT_EQ(in<QLabel>(&dialog, "remoteFilesLabel")->text(), "On the server");
    QStringList progressLines;
    auto* status = in<QLabel>(&dialog, "exchangeStatusLabel");
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (status->isVisible() && !progressLines.contains(status->text()))
            progressLines << status->text();
    });
    watch.start(5);
    press(&dialog, "uploadAdminFilesButton");
    watch.stop();
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_TRUE(program.dialogs.messages()[0].starts_with("Error: Sending scoresheet97.mdb to "))
        << program.dialogs.messages()[0];
    EXPECT_EQ(program.dialogs.messages()[0].find("secret"), std::string::npos);
    EXPECT_TRUE(progressLines.join("\n").contains("try 1 of 3 failed"))
        << progressLines.join("\n").toStdString();
    EXPECT_FALSE(status->isVisible());
}

} // namespace
} // namespace gs
