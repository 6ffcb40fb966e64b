#pragma once

#include <QPushButton>
#include <functional>
#include <map>
#include <string>

#include "setup/form_layout.h"

class QKeyEvent;

namespace almanix {

// A push button that Enter presses while it has the focus. Only the table's
// default button is pressed by Enter elsewhere, so without one Enter in a text
// box presses nothing.
class FocusedEnterButton final : public QPushButton {
public:
    explicit FocusedEnterButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Its access key presses it at once, before the keys typed after it arrive.
    bool event(QEvent* event) override;
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

} // namespace almanix
