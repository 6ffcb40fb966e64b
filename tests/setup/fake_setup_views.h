#pragma once

// Views of the setup side's windows that record what the presenters do to them
// and let a test act as the user.

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "setup/events_dialog.h"
#include "setup/speed_dialog.h"
#include "support/fakes.h"

namespace almanix::testing {

template <typename View>
class FakeForm : public View {
public:
    int closings = 0;

    TwipSize screenSize() override { return {}; }
    TwipSize windowSize() override { return {}; }
    void moveWindow(TwipPoint) override {}
    void closeWindow() override { ++closings; }
};

class FakeCalendarControl final : public CalendarControl {
public:
    void showDate(const CalendarDate&) override {}
    void restrict(const std::optional<DateRange>&, const CalendarOptions&) override {}
};

class FakeEventsDialogView final : public FakeForm<EventsDialogView> {
public:
    FakeCalendarControl calendar;
    std::map<CalendarOption, bool> checks;
    std::map<EventsTextBox, std::string> texts{{EventsTextBox::daysBefore, "1"}};
    std::vector<std::string> list;
    int selected = -1;

    CalendarControl& calendarControl() override { return calendar; }
    std::string text(EventsTextBox box) override { return texts[box]; }
    void setText(EventsTextBox box, const std::string& value) override { texts[box] = value; }
    bool isChecked(CalendarOption option) override { return checks[option]; }
    void setChecked(CalendarOption option, bool checked) override { checks[option] = checked; }
    void appendListItem(const std::string& item) override { list.push_back(item); }
    void removeListItem(int index) override { list.erase(list.begin() + index); }
    int selectedListIndex() override { return selected; }
    void selectListItem(int index) override { selected = index; }
};

class FakeSpeedDialogView final : public FakeForm<SpeedDialogView> {
public:
    SpeedDialog* presenter = nullptr; // receives the slider's changes
    int minimum = 0, maximum = 10, value = 0;
    std::string speedText = "0";

    void setSliderMaximum(int newMaximum) override {
        maximum = newMaximum;
        moveTo(value);
    }
    void setSliderMinimum(int newMinimum) override {
        minimum = newMinimum;
        moveTo(value);
    }
    int sliderValue() override { return value; }
    void setSliderValue(int newValue) override { moveTo(newValue); }
    void setSpeedText(const std::string& text) override { speedText = text; }

    // A slider keeps its value within its range and reports every change.
    void moveTo(int newValue) {
        newValue = std::max(minimum, std::min(maximum, newValue));
        if (newValue == value) return;
        value = newValue;
        if (presenter) presenter->speedChanged();
    }
};

} // namespace almanix::testing
