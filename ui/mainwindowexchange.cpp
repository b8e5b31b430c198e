#include "mainwindow.h"

#include "exchangedialog.h"

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

} // namespace gs
