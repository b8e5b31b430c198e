#pragma once

// The "User Statistics" page: the weekly record of two chosen players side
// by side, a chart of their "% Overall" week by week, and the totals of
// every active player.

#include "panelpage.h"
#include "results/userstatistics.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace gs {

class GridTableView;

class StatisticsPage : public PanelPage {
    Q_OBJECT
public:
    StatisticsPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent = nullptr);

    void open() override;
    void render() override;
    const UserStatisticsPanel& panel() const { return m_panel; }

private:
    QWidget* buildChart();
    void renderChart();

    UserStatisticsPanel m_panel;
    QLabel* m_heading = nullptr;
    QLabel* m_totalsCaption = nullptr;
    QComboBox* m_leftPlayers = nullptr;
    QComboBox* m_rightPlayers = nullptr;
    GridTableView* m_leftGrid = nullptr;
    GridTableView* m_rightGrid = nullptr;
    GridTableView* m_totalsGrid = nullptr;
    QChartView* m_chartView = nullptr;
    QLineSeries* m_leftSeries = nullptr;
    QLineSeries* m_rightSeries = nullptr;
    QValueAxis* m_weeksAxis = nullptr;
};

} // namespace gs
