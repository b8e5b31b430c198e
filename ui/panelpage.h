#pragma once

// A page of the main window: the login controls, the blank page, or one
// panel of the "View" and "File" menus. The window keeps one page for each
// panel it can show and renders the one on show after every handler; the
// page sends its own events through the window's run, so that everything on
// screen is rendered afresh after each of them.

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

    // Builds the panel's model afresh: the menu command, and again after a
    // window changed what the panel was built from. A page whose model lives
    // on while it is up builds nothing.
    virtual void open() {}
    // Show the model.
    virtual void render() = 0;
    // After a restore replaced the pick files the page read: most pages
    // build again.
    virtual void reloadPicks() { open(); }

protected:
    void run(const std::function<void()>& handler) { m_run(handler); }

private:
    Runner m_run;
};

} // namespace gs
