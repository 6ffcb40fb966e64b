#include "qt/qt_events_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "qt/qt_calendar.h"

namespace almanix {

QtEventsDialog::QtEventsDialog(QWidget* parent)
    : QtDialog(parent, eventsfmLayout()),
      calendar_(form_.get<QtCalendar>("Calendar1")),
      list_(form_.get<QListWidget>("lbxEvents")) {}

void QtEventsDialog::attach(EventsDialog& presenter) {
    const auto onClick = [this](const char* button, auto handler) {
        connect(form_.get<QPushButton>(button), &QPushButton::clicked, this, handler);
    };
    onClick("Command1", [&presenter] { presenter.Command1_Click(); });
    onClick("Command2", [&presenter] { presenter.Command2_Click(); });
    onClick("Command3", [&presenter] { presenter.Command3_Click(); });
    onClick("Command4", [&presenter] { presenter.Command4_Click(); });
    for (CalendarOption option : kCalendarOptions)
        connect(checkBox(option), &QCheckBox::clicked, this, [&presenter, option] { presenter.checkBoxClicked(option); });
    calendar_->reportTo(presenter);
    setFrameClosed([&presenter] { presenter.Form_QueryUnload(); });
}

CalendarDate QtEventsDialog::calendarDate() { return calendar_->date(); }

void QtEventsDialog::setCalendarDate(const CalendarDate& date) { calendar_->setDate(date); }

bool QtEventsDialog::calendarOption(CalendarOption option) {
    switch (option) {
    case CalendarOption::monthReadOnly: return calendar_->monthReadOnly();
    case CalendarOption::yearReadOnly: return calendar_->yearReadOnly();
    case CalendarOption::showIterationButtons: return calendar_->showIterationButtons();
    }
    return false;
}

void QtEventsDialog::setCalendarOption(CalendarOption option, bool value) {
    switch (option) {
    case CalendarOption::monthReadOnly: calendar_->setMonthReadOnly(value); break;
    case CalendarOption::yearReadOnly: calendar_->setYearReadOnly(value); break;
    case CalendarOption::showIterationButtons: calendar_->setShowIterationButtons(value); break;
    }
}

QLineEdit* QtEventsDialog::textBox(EventsTextBox box) const {
    return form_.get<QLineEdit>(textBoxNameOf(box));
}

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
