#include "qtdialogs.h"

#include "textconv.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace gs {

namespace {
QWidget* parentWindow() {
    return QApplication::activeWindow();
}

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::NoIcon;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDialogs::message(MessageKind kind, const std::string& text, const std::string& title) {
    QMessageBox box(iconOf(kind), toQt(title), toQt(text), QMessageBox::Ok, parentWindow());
    box.setObjectName("messageBox");
    box.exec();
}

bool QtDialogs::confirm(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, toQt(title), toQt(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parentWindow());
    box.setObjectName("confirmBox");
    return box.exec() == QMessageBox::Ok;
}

SaveAnswer QtDialogs::askToSave(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, toQt(title), toQt(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parentWindow());
    box.setObjectName("saveQuestionBox");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        // Closing the box is no answer: nothing changes.
        return SaveAnswer::Cancel;
    }
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
    bool ok = false;
    QString answer = QInputDialog::getText(parentWindow(), toQt(title), toQt(prompt),
                                           QLineEdit::Normal, toQt(defaultText), &ok);
    // A character the files cannot carry comes back marked rather than as a
    // plausible "?", so that the checks of names refuse it.
    return ok ? utf8ToCp1252Marked(answer.toStdString()) : std::string();
}

} // namespace gs
