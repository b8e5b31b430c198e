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
} // namespace

void QtDialogs::message(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, toQt(title), toQt(text), QMessageBox::Ok, parentWindow());
    box.setObjectName("MessageBox");
    box.exec();
}

bool QtDialogs::confirm(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, toQt(title), toQt(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parentWindow());
    box.setObjectName("ConfirmBox");
    return box.exec() == QMessageBox::Ok;
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
    bool ok = false;
    QString answer = QInputDialog::getText(parentWindow(), toQt(title), toQt(prompt),
                                           QLineEdit::Normal, toQt(defaultText), &ok);
    return ok ? fromQt(answer) : std::string();
}

} // namespace gs
