#include "qt/qt_events_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include "qt/qt_calendar.h"

namespace almanix {

QtEventsDialog::QtEventsDialog(QWidget* parent)
    : QtDialog(parent, eventsDialogLayout()),
      calendar_(form_.get<QtCalendar>(EventsDialogControls::calendar)),
      list_(form_.get<QListWidget>(EventsDialogControls::eventList)) {}

void QtEventsDialog::attachControls(EventsDialog& presenter) {
    calendar_->reportPicksTo([&presenter](const CalendarDate& date) { presenter.calendar().picked(date); });
}

CalendarControl& QtEventsDialog::calendarControl() { return *calendar_; }

QLineEdit* QtEventsDialog::textBox(EventsTextBox box) const { return form_.get<QLineEdit>(textBoxNameOf(box)); }

QCheckBox* QtEventsDialog::checkBox(CalendarOption option) const {
    return form_.get<QCheckBox>(checkBoxNameOf(option));
}

std::string QtEventsDialog::text(EventsTextBox box) { return textBox(box)->text().toStdString(); }

void QtEventsDialog::setText(EventsTextBox box, const std::string& text) {
    textBox(box)->setText(QString::fromStdString(text));
}

bool QtEventsDialog::isChecked(CalendarOption option) { return checkBox(option)->isChecked(); }

void QtEventsDialog::setChecked(CalendarOption option, bool checked) { checkBox(option)->setChecked(checked); }

void QtEventsDialog::appendListItem(const std::string& item) { list_->addItem(QString::fromStdString(item)); }

void QtEventsDialog::removeListItem(int index) { delete list_->takeItem(index); }

int QtEventsDialog::selectedListIndex() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.front());
}

void QtEventsDialog::selectListItem(int index) {
    if (index < 0) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
        return;
    }
    list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    list_->scrollToItem(list_->item(index));
}

} // namespace almanix
