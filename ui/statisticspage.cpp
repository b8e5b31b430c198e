#include "statisticspage.h"

#include "controls.h"
#include "gridtableview.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <algorithm>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>

namespace gs {

namespace {

void showWeeks(QLineSeries* series, const std::string& player,
               const std::vector<WeekStanding>& weeks) {
    QList<QPointF> points;
    for (const WeekStanding& week : weeks)
        points.append(QPointF(week.week, week.overall));
    series->setName(toQt(player));
    series->replace(points);
}

} // namespace

StatisticsPage::StatisticsPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent)
    : PanelPage(std::move(run), parent), m_panel(pool, dialogs) {
    setObjectName("userStatisticsPage");
    m_heading = named(new QLabel, "userStatisticsHeading", "User and PC Correct Pick Totals",
                      PaintRole::Text);
    makeHeading(m_heading);
    m_leftPlayers = named(new QComboBox, "leftPlayerList", "Player of the left grid");
    m_rightPlayers = named(new QComboBox, "rightPlayerList", "Player of the right grid");
    m_leftGrid = named(new GridTableView, "leftWeeksGrid", "Weekly record of the left player");
    m_rightGrid = named(new GridTableView, "rightWeeksGrid", "Weekly record of the right player");
    m_totalsCaption = named(new QLabel, "totalsCaption", "All Active User Totals", PaintRole::Text);
    m_totalsGrid = named(new GridTableView, "totalsGrid", "All Active User Totals");

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_heading, 0, 0, 1, 3);
    layout->addWidget(m_leftPlayers, 1, 0);
    layout->addWidget(m_rightPlayers, 1, 1);
    layout->addWidget(m_totalsCaption, 1, 2);
    layout->addWidget(m_leftGrid, 2, 0);
    layout->addWidget(m_rightGrid, 2, 1);
    layout->addWidget(m_totalsGrid, 2, 2, 2, 1, Qt::AlignTop);
    layout->addWidget(buildChart(), 3, 0, 1, 2);
    // The grids and the chart take what the window gives; the totals keep
    // their own width.
    layout->setRowStretch(2, 3);
    layout->setRowStretch(3, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    // Each grid is as wide as its columns and a scroll bar.
    for (GridTableView* grid : {m_leftGrid, m_rightGrid})
        grid->setMinimumWidth(grid->pixelsForWidth(3950) + 24);
    m_totalsGrid->setMinimumWidth(m_totalsGrid->pixelsForWidth(3300) + 24);

    connect(m_leftPlayers, &QComboBox::currentIndexChanged, this,
            [this](int index) { this->run([this, index] { m_panel.chooseLeftPlayer(index); }); });
    connect(m_rightPlayers, &QComboBox::currentIndexChanged, this,
            [this](int index) { this->run([this, index] { m_panel.chooseRightPlayer(index); }); });
}

QWidget* StatisticsPage::buildChart() {
    auto* chart = new QChart;
    chart->setTitle("% Overall");
    m_leftSeries = new QLineSeries;
    m_rightSeries = new QLineSeries;
    for (QLineSeries* series : {m_leftSeries, m_rightSeries}) {
        series->setPointsVisible(true);
        chart->addSeries(series);
    }
    auto* weeks = m_weeksAxis = new QValueAxis;
    weeks->setRange(1, kWeeks);
    weeks->setTickCount(kWeeks);
    weeks->setLabelFormat("%d");
    weeks->setTitleText("Week");
    auto* percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setTickCount(6);
    percent->setLabelFormat("%d");
    chart->addAxis(weeks, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    for (QLineSeries* series : {m_leftSeries, m_rightSeries}) {
        series->attachAxis(weeks);
        series->attachAxis(percent);
    }
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    m_chartView =
        named(new QChartView(chart), "overallChart", "% Overall by week of the two chosen players");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(180);
    m_chartView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return m_chartView;
}

void StatisticsPage::open() {
    m_panel.open();
}

void StatisticsPage::renderChart() {
    const UserStatisticsModel& m = m_panel.model();
    // Every week of the season has its place, the last one included.
    if (static_cast<int>(m_weeksAxis->max()) != m.seasonWeeks) {
        m_weeksAxis->setRange(1, m.seasonWeeks);
        m_weeksAxis->setTickCount(m.seasonWeeks);
    }
    showWeeks(m_leftSeries, m.leftPlayer, m.leftWeeks);
    showWeeks(m_rightSeries, m.rightPlayer, m.rightWeeks);
}

void StatisticsPage::render() {
    const UserStatisticsModel& m = m_panel.model();
    m_heading->setText(toQt(m.heading.caption));
    m_totalsCaption->setText(toQt(m.totalsCaption.caption));
    showList(m_leftPlayers, m.leftPlayers);
    showList(m_rightPlayers, m.rightPlayers);
    m_leftGrid->render(m.leftGrid);
    m_rightGrid->render(m.rightGrid);
    m_totalsGrid->render(m.totalsGrid);
    // The totals keep the width of their columns (more in a confidence pool).
    int twips = 0;
    for (int c = 0; c < m.totalsGrid.cols(); ++c)
        twips += m.totalsGrid.columnWidth(c);
    m_totalsGrid->setMinimumWidth(m_totalsGrid->pixelsForWidth(std::max(twips, 3300)) + 24);
    // The totals grid is as tall as its rows, up to its cap.
    m_totalsGrid->setFixedHeight(m_totalsGrid->pixelsForHeight(m.totalsHeight));
    renderChart();
}

} // namespace gs
