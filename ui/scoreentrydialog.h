#pragma once

#include "painter.h"
#include "scores/scoreentry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <functional>
#include <memory>

namespace gs {

// "Enter Scores": one game at a time, week by week.
class ScoreEntryDialog : public PaintedDialog {
    Q_OBJECT
public:
    ScoreEntryDialog(std::unique_ptr<ScoreEntry> model, QWidget* parent = nullptr);

    // Closing the window any way keeps the scores on show first; the window
    // stays open when they cannot be kept.
    void reject() override;

    // Asks for the file of "Import Scores..."; an empty path when the
    // person cancels. A file dialog unless a test puts its own answer here.
    using FileChooser = std::function<QString()>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // The same for "Import Schedule...".
    void setScheduleChooser(FileChooser chooser) { m_chooseSchedule = std::move(chooser); }

private:
    void run(const std::function<void()>& handler);
    void render();
    void importScores();
    void importSchedule();

    std::unique_ptr<ScoreEntry> m_model;
    QLabel* m_visitorTeam = nullptr;
    QLabel* m_homeTeam = nullptr;
    QLabel* m_gameDate = nullptr;
    QLabel* m_gamePosition = nullptr;
    QLineEdit* m_visitorScore = nullptr;
    QLineEdit* m_homeScore = nullptr;
    QLabel* m_yearHeading = nullptr;
    QLabel* m_year = nullptr;
    QLabel* m_firstDate = nullptr;
    QLabel* m_thru = nullptr;
    QLabel* m_lastDate = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_importSchedule = nullptr;
    FileChooser m_chooseFile;
    FileChooser m_chooseSchedule;
    std::array<QRadioButton*, kMaxWeeks + 1> m_weeks{};
};

} // namespace gs
