#pragma once

// "Join a Pool": the player's name, the pool's shared place and a password
// for this computer; "Join" sets the machine up as the join command does.
// The requests to the shared place run on a worker thread, so the window
// stays responsive while it waits.

#include "painter.h"
#include "session/pooljoin.h"

#include <memory>
#include <string>

class QLineEdit;
class QPushButton;

namespace gs {

class JoinPoolDialog : public PaintedDialog {
    Q_OBJECT
public:
    // The transports default to the real FTP and shared-folder ones.
    JoinPoolDialog(Pool& pool, Dialogs& dialogs, TransportFactory transports = gs::makeTransport,
                   QWidget* parent = nullptr);
    ~JoinPoolDialog() override;

    // What the player joined with, for his login.
    const JoinRequest& request() const { return m_model.request; }

private:
    class BackgroundRequests;
    class ResponsiveWait;

    void join();

    Pool& m_pool;
    Dialogs& m_dialogs;
    TransportFactory m_transports;
    PoolJoinModel m_model;
    std::unique_ptr<BackgroundRequests> m_requests;
    std::unique_ptr<ResponsiveWait> m_wait;
    QLineEdit* m_player = nullptr;
    QLineEdit* m_place = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_repeated = nullptr;
    QPushButton* m_join = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace gs
