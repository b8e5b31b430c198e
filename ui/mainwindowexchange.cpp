#include "mainwindow.h"

#include "core/textfile.h"
#include "core/userlist.h"
#include "exchange/pagepublish.h"
#include "exchangedialog.h"
#include "firststartdialog.h"
#include "joinpooldialog.h"

namespace gs {

void MainWindow::openExchange() {
    if (!leavePanelForWindow())
        return;
    ExchangeDialog dialog(m_pool, m_dialogs, makeTransport, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
    // The page shows what was fetched.
    reopenPanel();
}

void MainWindow::publishPage() {
    run([this] {
        // The page goes out in place: one file, within the exchange's limits.
        DirectRequests requests;
        SleepingWait wait;
        if (std::optional<std::filesystem::path> page =
                publishPoolPageFromWindow(m_pool, m_dialogs, {makeTransport, requests, wait}))
            help().openAddress(page->string());
    });
}

void MainWindow::offerPoolStart() {
    if (fileExists(userListPath(m_pool.folders())))
        return;
    auto* dialog =
        new PoolStartDialog([this] { logInAs(kAdminUser, ""); }, [this] { openJoinPool(); }, this);
    // Nobody is logged in yet: no scheme is in force, as on the login page.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::openJoinPool() {
    JoinPoolDialog dialog(m_pool, m_dialogs, makeTransport, this);
    if (dialog.exec() == QDialog::Accepted)
        logInAs(dialog.request().player, dialog.request().password);
}

void MainWindow::logInAs(const std::string& name, const std::string& password) {
    m_model.userName = name;
    m_model.password = password;
    render();
    logIn();
}

} // namespace gs
