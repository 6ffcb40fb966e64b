#pragma once

#include "qt/qt_form.h"
#include "setup/events_dialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace almanix {

class QtCalendar;

// The events dialog's window; its presenter decides everything.
class QtEventsDialog final : public QtDialog<EventsDialogView, EventsDialog> {
public:
    explicit QtEventsDialog(QWidget* parent);

    CalendarControl& calendarControl() override;
    std::string text(EventsTextBox box) override;
    void setText(EventsTextBox box, const std::string& text) override;
    bool isChecked(CalendarOption option) override;
    void setChecked(CalendarOption option, bool checked) override;
    void appendListItem(const std::string& item) override;
    void removeListItem(int index) override;
    int selectedListIndex() override;
    void selectListItem(int index) override;

protected:
    void attachControls(EventsDialog& presenter) override;

private:
    QLineEdit* textBox(EventsTextBox box) const;
    QCheckBox* checkBox(CalendarOption option) const;

    QtCalendar* calendar_;
    QListWidget* list_;
};

} // namespace almanix
