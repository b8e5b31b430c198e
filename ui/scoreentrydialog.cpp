#include "scoreentrydialog.h"

#include "controls.h"
#include "prefs/colors.h"
#include "textconv.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace gs {

namespace {

void showLabel(QLabel* label, const ControlModel& model) {
    label->setText(toQt(model.caption));
    label->setEnabled(model.enabled);
}

} // namespace

ScoreEntryDialog::ScoreEntryDialog(std::unique_ptr<ScoreEntryWindow> model, QWidget* parent)
    : PaintedDialog(parent), m_model(std::move(model)) {
    setObjectName("Scoresheet");
    setAccessibleName("Enter Scores");
    setAttribute(Qt::WA_StyledBackground, true);

    m_visitorTeam = named(new QLabel, "Label1", "Visiting team");
    m_homeTeam = named(new QLabel, "Label2", "Home team");
    m_visitorScore = named(new QLineEdit, "Text1", "Visiting team's score");
    m_homeScore = named(new QLineEdit, "Text2", "Home team's score");
    m_yearHeading = named(new QLabel, "Label3", "Season Year");
    m_year = named(new QLabel, "Label4", "Season year");
    m_firstDate = named(new QLabel, "Label5", "Date of the week's first game");
    m_thru = named(new QLabel, "Label6", "thru");
    m_lastDate = named(new QLabel, "Label7", "Date of the week's last game");
    m_close = named(new QPushButton, "Command1", "Close");
    m_previous = named(new QPushButton, "Command2", "Previous game");
    m_next = named(new QPushButton, "Command3", "Next game");
    for (QLineEdit* box : {m_visitorScore, m_homeScore})
        box->setMaximumWidth(80);

    auto* layout = new QVBoxLayout(this);
    auto* game = new QGridLayout;
    game->addWidget(m_visitorTeam, 0, 0);
    game->addWidget(m_visitorScore, 0, 1);
    game->addWidget(m_homeTeam, 1, 0);
    game->addWidget(m_homeScore, 1, 1);
    layout->addLayout(game);

    auto* season = new QHBoxLayout;
    season->addWidget(m_yearHeading);
    season->addWidget(m_year);
    season->addStretch();
    season->addWidget(m_firstDate);
    season->addWidget(m_thru);
    season->addWidget(m_lastDate);
    layout->addLayout(season);

    auto* weeks = new QGridLayout;
    for (int week = 1; week <= kWeeks; ++week) {
        auto* option =
            named(new QRadioButton, QString("Option%1").arg(week), QString("Week %1").arg(week));
        option->setAutoExclusive(false);
        weeks->addWidget(option, (week - 1) / 6, (week - 1) % 6);
        m_weeks[week] = option;
        connect(option, &QRadioButton::clicked, this,
                [this, week] { run([this, week] { m_model->Option_Click(week); }); });
    }
    layout->addLayout(weeks);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_next, &QPushButton::clicked, this,
            [this] { run([this] { m_model->Command3_Click(); }); });
    connect(m_previous, &QPushButton::clicked, this,
            [this] { run([this] { m_model->Command2_Click(); }); });
    connect(m_close, &QPushButton::clicked, this, &ScoreEntryDialog::reject);

    m_model->Form_Load();
    ApplyColorScheme();
    render();
    paint();
}

void ScoreEntryDialog::run(const std::function<void()>& handler) {
    m_model->Text1 = fromQt(m_visitorScore->text());
    m_model->Text2 = fromQt(m_homeScore->text());
    handler();
    render();
}

void ScoreEntryDialog::reject() {
    bool canClose = false;
    run([&] { canClose = m_model->Command1_Click(); });
    if (canClose)
        QDialog::reject();
}

void ScoreEntryDialog::render() {
    const ScoreEntryWindow& m = *m_model;
    setWindowTitle(toQt(m.caption));
    showLabel(m_visitorTeam, m.visitorTeam);
    showLabel(m_homeTeam, m.homeTeam);
    showLabel(m_yearHeading, m.seasonYearHeading);
    showLabel(m_year, m.seasonYear);
    showLabel(m_firstDate, m.firstDate);
    showLabel(m_thru, m.thru);
    showLabel(m_lastDate, m.lastDate);
    m_visitorScore->setText(toQt(m.Text1));
    m_homeScore->setText(toQt(m.Text2));
    for (int week = 1; week <= kWeeks; ++week) {
        m_weeks[week]->setText(toQt(m.Option[week].caption));
        m_weeks[week]->setEnabled(m.Option[week].enabled);
        m_weeks[week]->setChecked(week == m.chosenWeek);
    }
    for (auto [button, model] :
         {std::pair{m_close, &m.Command1}, std::pair{m_previous, &m.Command2},
          std::pair{m_next, &m.Command3}}) {
        button->setText(toQt(model->caption));
        button->setEnabled(model->enabled);
    }
}

void ScoreEntryDialog::paint() {
    PaintPlan plan;
    plan.windowBackground = QStringList{"Scoresheet"} + numberedNames("Option", 1, kWeeks) +
                            numberedNames("Label", 1, 7);
    plan.buttons = numberedNames("Command", 1, 3);
    plan.texts = numberedNames("Option", 1, kWeeks) + numberedNames("Label", 1, 7);
    plan.options = numberedNames("Option", 1, kWeeks);
    paintWindow(this, plan);
}

} // namespace gs
