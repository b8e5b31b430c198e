#pragma once

// "Update Schedule and Scores": the games file is fetched on a worker
// thread while the window shows the bytes that arrived and offers Cancel;
// the window's thread applies it and asks what needs asking.

#include "painter.h"
#include "update/updatewindow.h"

#include <memory>
#include <thread>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace gs {

class GamesUpdateDialog : public PaintedDialog {
    Q_OBJECT
public:
    // Starts the fetch at once; a window whose update could not start
    // (the person has been told why) has nothing running.
    GamesUpdateDialog(const Pool& pool, Dialogs& dialogs, GamesUpdateOptions options = {},
                      QWidget* parent = nullptr);
    ~GamesUpdateDialog() override;

    const GamesUpdateWindow& update() const { return *m_window; }

    // Closing while the fetch runs cancels it; the window closes once it
    // has stopped.
    void reject() override;

private:
    // The fetch on the worker thread; finish() on this one when it ends.
    void startFetch();
    void finish(const FetchedGamesFile& fetched);
    void render();

    std::unique_ptr<GamesUpdateWindow> m_window;
    std::thread m_worker;
    bool m_closeWhenDone = false;
    QLineEdit* m_address = nullptr;
    QPushButton* m_change = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_close = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace gs
