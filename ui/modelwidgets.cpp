#include "modelwidgets.h"

#include "textconv.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace gs {

void showControl(QWidget* widget, const ControlModel& model) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(toQt(model.caption));
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        button->setText(toQt(model.caption));
    widget->setVisible(model.visible);
    widget->setEnabled(model.enabled);
    widget->setToolTip(toQt(model.toolTip));
}

void showEntry(QAction* action, const ControlModel& model) {
    action->setEnabled(model.enabled);
    action->setToolTip(toQt(model.toolTip));
    action->setStatusTip(toQt(model.toolTip));
}

namespace {

QStringList entriesOf(const ListModel& model) {
    QStringList entries;
    for (const std::string& entry : model.entries)
        entries << toQt(entry);
    return entries;
}

} // namespace

void showList(QListWidget* widget, const ListModel& model) {
    QSignalBlocker quiet(widget);
    QStringList entries = entriesOf(model);
    bool same = widget->count() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i)
        same = widget->item(i)->text() == entries[i];
    if (!same) {
        widget->clear();
        widget->addItems(entries);
    }
    if (model.selected >= 0 && model.selected < widget->count()) {
        widget->setCurrentRow(model.selected);
    } else {
        widget->clearSelection();
        widget->setCurrentRow(-1);
    }
}

void showList(QComboBox* box, const ListModel& model) {
    QSignalBlocker quiet(box);
    QStringList entries = entriesOf(model);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown != entries) {
        box->clear();
        box->addItems(entries);
    }
    box->setCurrentIndex(model.selected);
}

void makeHeading(QLabel* label) {
    QFont big = label->font();
    big.setPointSize(big.pointSize() + 2);
    big.setBold(true);
    label->setFont(big);
}

} // namespace gs
