#pragma once

// Helpers for tests that drive the real main window offscreen.

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace gs::test {

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
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* action(const char* name) { return find<QAction>(name); }
    QMenu* menu(const char* name) { return find<QMenu>(name); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char* entry) { action(entry)->trigger(); }

    void login(const char* name, const char* password = "") {
        find<QLineEdit>("userNameEdit")->setText(name);
        find<QLineEdit>("passwordEdit")->setText(password);
        click("loginButton");
    }
    // Triggers a menu entry that opens a modal window and lets `drive` work
    // the window once it is up; false when no window opened.
    bool withModal(const char* entry, const std::function<void(QWidget*)>& drive) {
        bool seen = false;
        // The timer goes with this call: an entry that opens no window must
        // not leave it to fire, with dangling references, in a later test.
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            seen = true;
            drive(dialog);
        });
        trigger(entry);
        return seen;
    }

    // Logs in as admin on a fresh home, which sets up the user list, and
    // closes the first start's window.
    void loginAsAdmin() {
        login("admin");
        ASSERT_TRUE(window->windowTitle().startsWith("Gridslate for admin"));
        closeFirstStart();
        program.dialogs.clear();
    }
    void closeFirstStart() { delete window->findChild<QDialog*>("firstStartDialog"); }
};

} // namespace gs::test
