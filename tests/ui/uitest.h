#pragma once

// Helpers for tests that drive the real main window offscreen.

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace gs::test {

template <typename T = QWidget> T* child(const QWidget* parent, const char* name) {
    T* widget = parent->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void press(const QWidget* parent, const char* button) {
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

// Runs `act`, and `drive` on the modal window it opens; false when none
// opened. The timer goes with `call`, so that it never fires into a later
// test.
inline bool whenModal(const std::function<void(QWidget*)>& drive,
                      const std::function<void()>& act) {
    bool seen = false;
    QObject call;
    QTimer::singleShot(0, &call, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            seen = true;
            drive(dialog);
        }
    });
    act();
    return seen;
}

class MainWindowTest : public testing::Test {
protected:
    PoolFixture program;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        ASSERT_TRUE(ensureGamesTable(program.pool));
        window = std::make_unique<MainWindow>(program.pool, program.dialogs);
        window->show();
    }

    template <typename T = QWidget> T* find(const char* name) {
        return child<T>(window.get(), name);
    }
    void click(const char* button) { press(window.get(), button); }
    void trigger(const char* entry) { find<QAction>(entry)->trigger(); }

    // Logs in without a password.
    void login(const char* name) {
        find<QLineEdit>("userNameEdit")->setText(name);
        click("loginButton");
    }
    // Triggers a menu entry and lets `drive` work the modal window it opens.
    bool withModal(const char* entry, const std::function<void(QWidget*)>& drive) {
        return whenModal(drive, [&] { trigger(entry); });
    }

    // Logs in as admin on a fresh home, which sets up the user list, and
    // closes the first start's window.
    void loginAsAdmin() {
        login("admin");
        delete window->findChild<QDialog*>("firstStartDialog");
        program.dialogs.clear();
    }
};

} // namespace gs::test
