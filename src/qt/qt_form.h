#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QPushButton>
#include <functional>
#include <map>
#include <string>

#include "setup/form_view.h"

class QKeyEvent;

namespace almanix {

// A push button that Enter presses only while it has the focus. It is never
// the dialog's default, so Enter in a text box presses nothing.
class FocusedEnterButton final : public QPushButton {
public:
    explicit FocusedEnterButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The controls of a window built from its layout table at the display's resolution.
class QtForm {
public:
    // Creates every control of the table as a child of client, in pixels.
    QtForm(QWidget& client, const WindowLayout& table);

    QWidget* control(std::string_view name) const;
    template <typename Widget>
    Widget* get(std::string_view name) const {
        return static_cast<Widget*>(control(name));
    }

    double dotsPerInch() const { return dotsPerInch_; }
    int pixels(double twips) const;
    QSize clientSize() const;
    // The first control in tab order, which has the focus when the window opens.
    QWidget* firstFocus() const;

private:
    QWidget* createControl(const ControlLayout& table, QWidget* parent);

    const WindowLayout& table_;
    double dotsPerInch_;
    std::map<std::string, QWidget*, std::less<>> controls_;
};

QFont qtFontOf(const FontChoice& table);

inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The screen and a top-level widget's outer size in twips, and its placement.
TwipSize screenTwips(const QWidget& window);
TwipSize windowTwips(const QWidget& window);
void moveWindowTo(QWidget& window, TwipPoint position);

// A fixed-size modal dialog built from its table. Escape presses nothing, and
// closing through the frame is reported to frameClosed (the presenter's Cancel).
class QtFormDialog : public QDialog {
public:
    QtFormDialog(QWidget* parent, const WindowLayout& table);

    // Shows the dialog modally; returns when it has closed.
    void runModal();
    void focusFirstControl();
    void setFrameClosed(std::function<void()> handler) { frameClosed_ = std::move(handler); }
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

    QtForm form_;

private:
    std::function<void()> frameClosed_;
};

// The window operations every dialog's view shares, and the hook-up of its
// presenter: the buttons and check boxes of its action table, and the frame.
template <typename View, typename Presenter>
class QtDialog : public QtFormDialog, public View {
public:
    using QtFormDialog::QtFormDialog;

    void attach(Presenter& presenter) {
        for (const ControlAction<Presenter>& action : Presenter::actions()) {
            auto* button = qobject_cast<QAbstractButton*>(form_.control(action.control));
            connect(button, &QAbstractButton::clicked, this,
                    [&presenter, handler = action.handler] { (presenter.*handler)(); });
        }
        setFrameClosed([&presenter] { presenter.frameClosed(); });
        attachControls(presenter);
    }

    TwipSize screenSize() override { return screenTwips(*this); }
    TwipSize windowSize() override { return windowTwips(*this); }
    void moveWindow(TwipPoint position) override { moveWindowTo(*this, position); }
    void closeWindow() override { done(QDialog::Accepted); }

protected:
    // What is not a button: a calendar, a slider.
    virtual void attachControls(Presenter&) {}
};

} // namespace almanix
