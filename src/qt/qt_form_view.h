#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "qt/qt_form.h"
#include "setup/form_view.h"

namespace almanix {

// Any window of the setup side, built from its layout table: the main window
// with its menu bar, or a fixed-size modal dialog. It reports what the user
// does to its presenter and reaches the controls by their names.
class QtFormView final : public FormView {
public:
    // A dialog is owned by owner and shown over it.
    QtFormView(const WindowLayout& layout, QWidget* owner);
    ~QtFormView() override;
    QtFormView(const QtFormView&) = delete;
    QtFormView& operator=(const QtFormView&) = delete;

    // From now on the controls, the menu and the frame report to the presenter.
    void attach(FormPresenter& presenter);
    // Shows a dialog with its first control focused; returns once it has closed.
    void runModal();
    QWidget& window() { return *window_; }
    QWidget* control(std::string_view name) const { return form_->control(name); }

    TwipSize screenSize() override;
    TwipSize windowSize() override;
    void moveWindow(TwipPoint position) override;
    void closeWindow() override;
    void showDialog(const WindowLayout& dialog, const PresenterMaker& maker) override;

    std::string text(std::string_view control) override;
    void setText(std::string_view control, std::string_view text) override;
    bool isChecked(std::string_view checkBox) override;
    void setChecked(std::string_view checkBox, bool checked) override;
    void appendItem(std::string_view list, std::string_view item) override;
    void removeItem(std::string_view list, std::size_t index) override;
    std::optional<std::size_t> selectedItem(std::string_view list) override;
    void selectItem(std::string_view list, std::optional<std::size_t> index) override;
    void setRange(std::string_view slider, int lowest, int highest) override;
    int value(std::string_view slider) override;
    void setValue(std::string_view slider, int value) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void focus(std::string_view control) override;
    CalendarControl& calendar(std::string_view calendar) override;
    std::optional<std::string> choosePath(std::string_view nearControl, const PathChoice& choice) override;

private:
    void frameClosed();

    const WindowLayout& layout_;
    // A dialog's is deleted with this view; the main window deletes itself when it closes.
    QPointer<QWidget> window_;
    std::unique_ptr<QtForm> form_;
    FormPresenter* presenter_ = nullptr;
    bool closing_ = false;
    bool closingFromFrame_ = false;
};

// Opens the main window of that table with the presenter maker makes; both
// live until the user closes it through its frame.
void openMainWindow(const WindowLayout& layout, const PresenterMaker& maker);

} // namespace almanix
