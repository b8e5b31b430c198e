#pragma once

// The "Internet File Transfer Tool" window. Requests to the shared place run
// on a worker thread while the window keeps handling events, so it stays
// responsive while it waits, and "Exit" cancels a waiting operation.

#include "exchange/exchangewindow.h"
#include "painter.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace gs {

class ExchangeDialog : public PaintedDialog {
    Q_OBJECT
public:
    // The transports default to the real FTP and shared-folder ones.
    ExchangeDialog(Pool& pool, Dialogs& dialogs, TransportFactory transports = gs::makeTransport,
                   QWidget* parent = nullptr);
    ~ExchangeDialog() override;

    const ExchangeWindow& exchange() const { return *m_window; }
    void setLimits(const ExchangeLimits& limits) { m_window->setLimits(limits); }

    // Closing by the window's close button or Escape is "Exit".
    void reject() override;

private:
    class BackgroundRequests;
    class ResponsiveWait;

    QPushButton* addButton(const ControlModel& model, const char* name,
                           const std::function<void()>& handler);
    void run(const std::function<void()>& handler);
    void render();

    std::unique_ptr<BackgroundRequests> m_requests;
    std::unique_ptr<ResponsiveWait> m_wait;
    std::unique_ptr<ExchangeWindow> m_window;

    QRadioButton* m_ftpOption = nullptr;
    QRadioButton* m_lanOption = nullptr;
    QLineEdit* m_address = nullptr;
    QPlainTextEdit* m_listing = nullptr;
    QLabel* m_localHeading = nullptr;
    QLabel* m_remoteHeading = nullptr;
    QListWidget* m_localFiles = nullptr;
    QListWidget* m_remoteFiles = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    std::map<std::string, QPushButton*> m_buttons;
};

} // namespace gs
