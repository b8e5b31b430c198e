// Each view of the View menu as a person sees it on a real X server: the
// time from the menu command to the view's first complete paint, on a big
// pool (100 players, the full 2010 season; the views that grow with the
// season again on 2021's 18 weeks and 272 games). Run it on a desktop or under
// Xvfb (xvfb-run ./bench_view_paint); without an X server it says so and
// measures nothing. The aim is under 100 ms a view.

#include "bigpool.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace gs;

// Notes the first paint of a widget (or of anything inside it) after it is
// armed, and the moment the window's paint that began with it is over.
class PaintWatch final : public QObject {
public:
    void arm(const QString& target) {
        m_target = target;
        m_painted = false;
        m_done = false;
    }
    bool done() const { return m_done; }
    // Called when the paint is complete; a modal window closes itself here.
    std::function<void(QWidget*)> onDone;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (m_painted || event->type() != QEvent::Paint)
            return false;
        auto* widget = qobject_cast<QWidget*>(object);
        for (QWidget* w = widget; w; w = w->parentWidget())
            if (w->objectName() == m_target) {
                m_painted = true;
                // The rest of the window is painted in the same pass; the
                // timer fires once that pass is over.
                QTimer::singleShot(0, this, [this, w] {
                    m_done = true;
                    if (onDone)
                        onDone(w);
                });
                break;
            }
        return false;
    }

private:
    QString m_target;
    bool m_painted = false;
    bool m_done = false;
};

struct PaintSession {
    bench::BigPool big;
    MainWindow window{big.pool, big.dialogs};
    PaintWatch watch;

    explicit PaintSession(int season) : big(season) {
        window.resize(1100, 720);
        window.findChild<QLineEdit*>("userNameEdit")->setText("admin");
        window.findChild<QPushButton*>("loginButton")->click();
    }
    // The one window on screen while its views are measured.
    void showAlone(PaintSession* other) {
        if (other)
            other->window.hide();
        window.show();
        settle();
    }

    static void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // The command, then events until the view's first complete paint.
    double measure(const char* action, const char* view) {
        watch.arm(view);
        qApp->installEventFilter(&watch);
        QElapsedTimer clock;
        clock.start();
        window.findChild<QAction*>(action)->trigger();
        while (!watch.done())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        qApp->removeEventFilter(&watch);
        return seconds;
    }
};

// The big pools of 2010 and 2021, one window each.
PaintSession* sessions[2] = {nullptr, nullptr};

struct View {
    const char* name;
    const char* action;
    const char* widget; // what the view paints first
    const char* other;  // a view opened in between, so each opening paints anew
    bool bySeason;      // what it shows grows with the season's weeks and games
};

const View kViews[] = {
    {"season_calendar", "seasonCalendarAction", "seasonCalendarDialog", "weeklyPicksAction", false},
    {"this_weeks_picks", "weeklyPicksAction", "weeklyPicksPage", "teamStatisticsAction", false},
    {"all_user_pick_results", "allResultsAction", "allResultsPage", "weeklyPicksAction", true},
    {"user_statistics", "userStatisticsAction", "userStatisticsPage", "weeklyPicksAction", true},
    {"team_ranking", "teamRankingAction", "teamRankingPage", "weeklyPicksAction", false},
    {"team_statistics", "teamStatisticsAction", "teamStatisticsPage", "weeklyPicksAction", true},
};

void bench_view_first_paint(benchmark::State& state, const View& view, int s) {
    PaintSession* session = sessions[s];
    session->showAlone(sessions[1 - s]);
    // A modal window is closed once it has been painted.
    session->watch.onDone = [](QWidget* painted) {
        if (painted->isModal())
            painted->close();
    };
    for (auto _ : state) {
        session->window.findChild<QAction*>(view.other)->trigger();
        PaintSession::settle();
        state.SetIterationTime(session->measure(view.action, view.widget));
    }
}

} // namespace

int main(int argc, char** argv) {
    // A real X server, never the offscreen stand-in.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("bench_view_paint: skipped, no X server (run it under xvfb-run)\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    PaintSession pool2010(2010);
    PaintSession pool2021(2021);
    sessions[0] = &pool2010;
    sessions[1] = &pool2021;
    for (int s : {0, 1})
        for (const View& view : kViews) {
            if (s == 1 && !view.bySeason)
                continue;
            benchmark::RegisterBenchmark(
                (std::string("first_paint/") + view.name + (s == 1 ? "/2021" : "")).c_str(),
                [&view, s](benchmark::State& state) { bench_view_first_paint(state, view, s); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(10);
        }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sessions[0] = sessions[1] = nullptr;
    return 0;
}
