#pragma once

// A page of the main window that shows one panel of the "View" menu. The
// window opens it when the menu command runs and renders it after every
// handler; the page sends its own events through the window's run, so that
// everything on screen is rendered afresh after each of them.

#include <QWidget>
#include <functional>

namespace gs {

class PanelPage : public QWidget {
    Q_OBJECT
public:
    // Runs a handler the way the main window runs every handler.
    using Runner = std::function<void(const std::function<void()>&)>;

    explicit PanelPage(Runner run, QWidget* parent = nullptr)
        : QWidget(parent), m_run(std::move(run)) {}

    // The menu command: rebuild the panel's model.
    virtual void open() = 0;
    // Show the model.
    virtual void render() = 0;

protected:
    void run(const std::function<void()>& handler) { m_run(handler); }

private:
    Runner m_run;
};

} // namespace gs
