#pragma once

#include "qt/qt_form.h"
#include "setup/events_dialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace almanix {

class QtCalendar;

// The events dialog's window; its presenter decides everything.
class QtEventsDialog final : public QtDialog<EventsDialogView> {
public:
    explicit QtEventsDialog(QWidget* parent);

    // Sends the controls' events to the presenter.
    void attach(EventsDialog& presenter);

    CalendarDate calendarDate() override;
    void setCalendarDate(const CalendarDate& date) override;
    bool calendarOption(CalendarOption option) override;
    void setCalendarOption(CalendarOption option, bool value) override;
    std::string text(EventsTextBox box) override;
    void setText(EventsTextBox box, const std::string& text) override;
    bool isChecked(CalendarOption option) override;
    void setChecked(CalendarOption option, bool checked) override;
    void appendListItem(const std::string& item) override;
    void removeListItem(int index) override;
    int selectedListIndex() override;
    void selectListItem(int index) override;

private:
    QLineEdit* textBox(EventsTextBox box) const;
    QCheckBox* checkBox(CalendarOption option) const;

    QtCalendar* calendar_;
    QListWidget* list_;
};

} // namespace almanix
