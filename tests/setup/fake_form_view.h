#pragma once

// A window as its presenter sees it, held in memory, that lets a test act as
// the user. Every name a presenter reaches must be a control of its table of
// the kind asked for, or the test fails.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "setup/form_view.h"
#include "support/fakes.h"

namespace almanix::testing {

class FakeCalendarControl final : public CalendarControl {
public:
    void showDate(const CalendarDate&) override {}
    void restrict(const std::optional<DateRange>&, const CalendarOptions&) override {}
};

class FakeFormView final : public FormView {
public:
    using Kind = ControlKind;

    explicit FakeFormView(const WindowLayout& layout) : layout_(layout) {
        for (const ControlLayout& control : layout.controls)
            if (control.kind == Kind::textBox || control.kind == Kind::label)
                texts[std::string(control.name)] = std::string(control.caption);
    }

    FormPresenter* presenter = nullptr; // hears what press and slide do
    int closings = 0;
    std::vector<std::string> dialogsShown;
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, bool, std::less<>> checks;
    std::map<std::string, std::vector<std::string>, std::less<>> lists;
    std::map<std::string, std::optional<std::size_t>, std::less<>> selections;
    std::map<std::string, int, std::less<>> values;
    std::string focused;
    FakeCalendarControl calendarControl;
    std::optional<std::string> chosenPath; // what choosePath answers

    // A click on a button, a check box (which ticks or clears it) or a menu item.
    void press(std::string_view control) {
        if (!layout_.control(control)) {
            const bool isMenuItem = std::any_of(layout_.menu.begin(), layout_.menu.end(),
                                                [&](const MenuItem& item) { return item.name == control; });
            EXPECT_TRUE(isMenuItem) << control << " is no control of " << layout_.name;
        } else if (layout_.control(named(control, {Kind::checkBox, Kind::button}))->kind == Kind::checkBox) {
            checks[std::string(control)] = !checks[std::string(control)];
        }
        presenter->controlUsed(control);
    }
    // A slider keeps its value within its range and reports every change.
    void slide(std::string_view slider, int value) {
        const auto [lowest, highest] = ranges_[named(slider, {Kind::slider})];
        value = std::clamp(value, lowest, highest);
        int& current = values[std::string(slider)];
        if (value == current) return;
        current = value;
        if (presenter) presenter->controlUsed(slider);
    }

    TwipSize screenSize() override { return {}; }
    TwipSize windowSize() override { return {}; }
    void moveWindow(TwipPoint) override {}
    void closeWindow() override { ++closings; }
    void showDialog(const WindowLayout& dialog, const PresenterMaker&) override {
        dialogsShown.emplace_back(dialog.name);
    }

    std::string text(std::string_view box) override { return texts[named(box, {Kind::textBox, Kind::label})]; }
    void setText(std::string_view box, std::string_view text) override {
        texts[named(box, {Kind::textBox, Kind::label})] = text;
    }
    bool isChecked(std::string_view box) override { return checks[named(box, {Kind::checkBox})]; }
    void setChecked(std::string_view box, bool checked) override { checks[named(box, {Kind::checkBox})] = checked; }
    void appendItem(std::string_view list, std::string_view item) override {
        lists[named(list, {Kind::listBox})].emplace_back(item);
    }
    void removeItem(std::string_view list, std::size_t index) override {
        auto& items = lists[named(list, {Kind::listBox})];
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    std::optional<std::size_t> selectedItem(std::string_view list) override {
        return selections[named(list, {Kind::listBox})];
    }
    void selectItem(std::string_view list, std::optional<std::size_t> index) override {
        selections[named(list, {Kind::listBox})] = index;
    }
    void setRange(std::string_view slider, int lowest, int highest) override {
        ranges_[std::string(slider)] = {lowest, highest};
        slide(slider, values[std::string(slider)]);
    }
    int value(std::string_view slider) override { return values[named(slider, {Kind::slider})]; }
    void setValue(std::string_view slider, int value) override { slide(slider, value); }
    void setEnabled(std::string_view control, bool) override { named(control, {}); }
    void focus(std::string_view control) override { focused = named(control, {}); }
    CalendarControl& calendar(std::string_view name) override {
        named(name, {Kind::calendar});
        return calendarControl;
    }
    std::optional<std::string> choosePath(std::string_view nearControl, const PathChoice&) override {
        named(nearControl, {});
        return chosenPath;
    }

private:
    // The name, once the test has checked that the table has a control of that
    // name of one of the kinds (of any kind for none).
    std::string named(std::string_view name, std::initializer_list<ControlKind> kinds) {
        const ControlLayout* control = layout_.control(name);
        EXPECT_TRUE(control && (kinds.size() == 0 || std::ranges::find(kinds, control->kind) != kinds.end()))
            << name << " is no control of " << layout_.name << " of the kind asked for";
        return std::string(name);
    }

    const WindowLayout& layout_;
    std::map<std::string, std::pair<int, int>, std::less<>> ranges_;
};

} // namespace almanix::testing
