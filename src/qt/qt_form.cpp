#include "qt/qt_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcutEvent>
#include <QSlider>
#include <QTextCharFormat>
#include <algorithm>

#include "qt/qt_calendar.h"

namespace almanix {

namespace {

QScreen* screenOf(const QWidget& window) {
    QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

double dotsPerInchOf(const QWidget& window) {
    const QScreen* screen = screenOf(window);
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

// The Windows fonts the tables name, served by the metric-compatible free ones.
void substituteWindowsFonts() {
    static const bool done = [] {
        QFont::insertSubstitutions("MS Sans Serif", {"Microsoft Sans Serif", "Liberation Sans", "Arial"});
        QFont::insertSubstitutions("Arial", {"Liberation Sans"});
        QFont::insertSubstitutions("Times New Roman", {"Liberation Serif"});
        return true;
    }();
    (void)done;
}

void applyColour(QWidget& widget, QPalette::ColorRole role, const ColourChoice& colour) {
    QPalette palette = widget.palette();
    switch (colour.role) {
    case ColourRole::standard: return;
    case ColourRole::fixed:
        palette.setColor(role, QColor(colour.fixed.red, colour.fixed.green, colour.fixed.blue));
        break;
    // Qt's palette has no scroll-bar colour; the button face is its nearest kin.
    case ColourRole::scrollBar: palette.setColor(role, palette.color(QPalette::Button)); break;
    case ColourRole::windowText: palette.setColor(role, palette.color(QPalette::WindowText)); break;
    }
    widget.setPalette(palette);
    if (role == QPalette::Window) widget.setAutoFillBackground(true);
}

QLabel* makeLabel(const ControlLayout& entry, QWidget* parent) {
    auto* label = new QLabel(qtText(entry.caption), parent);
    label->setWordWrap(entry.style.wordWrap);
    const Qt::Alignment horizontal = entry.style.alignment == TextAlignment::centre ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

FocusedEnterButton::FocusedEnterButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void FocusedEnterButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (enter && plain) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

bool FocusedEnterButton::event(QEvent* event) {
    if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return QPushButton::event(event);
    setFocus(Qt::ShortcutFocusReason);
    click();
    return true;
}

QFont qtFontOf(const FontChoice& choice) {
    substituteWindowsFonts();
    QFont font(qtText(choice.face));
    font.setPointSizeF(choice.points);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    return font;
}

QtForm::QtForm(QWidget& client, const WindowLayout& table) : table_(table), dotsPerInch_(dotsPerInchOf(client)) {
    client.setFont(qtFontOf(table.defaultFont));
    applyColour(client, QPalette::Window, table.background);
    // Frames first, so that the controls inside them have their parent.
    for (const ControlLayout& control : table.controls)
        if (control.kind == ControlKind::frame) createControl(control, &client);
    for (const ControlLayout& control : table.controls) {
        if (control.kind == ControlKind::frame) continue;
        QWidget* parent = control.container.empty() ? &client : this->control(control.container);
        createControl(control, parent ? parent : &client);
    }
    QWidget* previous = nullptr;
    for (const ControlLayout* control : tabOrderOf(table)) {
        QWidget* widget = this->control(control->name);
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget* QtForm::createControl(const ControlLayout& entry, QWidget* parent) {
    const QString caption = qtText(entry.caption);
    QWidget* widget = nullptr;
    switch (entry.kind) {
    case ControlKind::label: widget = makeLabel(entry, parent); break;
    case ControlKind::textBox: {
        auto* edit = new QLineEdit(caption, parent);
        if (entry.style.maxLength > 0) edit->setMaxLength(entry.style.maxLength);
        widget = edit;
        break;
    }
    case ControlKind::frame: {
        // The caption sits on the frame's top line, so the controls inside keep their places.
        auto* frame = new QGroupBox(caption, parent);
        frame->setStyleSheet("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                             "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
        widget = frame;
        break;
    }
    case ControlKind::checkBox: widget = new QCheckBox(caption, parent); break;
    case ControlKind::listBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(false);
        widget = list;
        break;
    }
    case ControlKind::button: {
        auto* button = new FocusedEnterButton(caption, parent);
        button->setDefault(entry.style.defaultButton);
        widget = button;
        break;
    }
    case ControlKind::calendar: widget = new QtCalendar(parent); break;
    case ControlKind::slider: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
        if (entry.style.pageStep > 0) slider->setPageStep(entry.style.pageStep);
        widget = slider;
        break;
    }
    }
    widget->setObjectName(qtText(entry.name));
    // Set on every control: a style sheet on a frame would keep the window's font from its children.
    widget->setFont(qtFontOf(entry.font ? *entry.font : table_.defaultFont));
    if (entry.style.headerFont) {
        if (auto* calendar = qobject_cast<QCalendarWidget*>(widget)) {
            QTextCharFormat header = calendar->headerTextFormat();
            header.setFont(qtFontOf(*entry.style.headerFont));
            calendar->setHeaderTextFormat(header);
        }
    }
    applyColour(*widget, QPalette::WindowText, entry.style.foreground);
    applyColour(*widget, QPalette::Window, entry.style.background);
    widget->setGeometry(pixels(entry.x), pixels(entry.y), pixels(entry.width), pixels(entry.height));
    if (entry.style.autoSize) {
        widget->resize(widget->sizeHint());
    } else if (!entry.style.wordWrap && (entry.kind == ControlKind::label || entry.kind == ControlKind::checkBox)) {
        // The stand-in fonts run a little wider than the originals, and at a
        // scale such as 150% a check box's mark outgrows the table's height:
        // never cut a caption short, and grow about the middle, where it is drawn.
        const QSize needed = widget->sizeHint();
        const int height = std::max(widget->height(), needed.height());
        widget->setGeometry(widget->x(), widget->y() - (height - widget->height()) / 2,
                            std::max(widget->width(), needed.width()), height);
    }
    if (!takesFocus(entry.kind)) widget->setFocusPolicy(Qt::NoFocus);
    controls_.emplace(std::string(entry.name), widget);
    return widget;
}

QWidget* QtForm::control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

int QtForm::pixels(double twips) const { return pixelsOfTwips(twips, dotsPerInch_); }

QSize QtForm::clientSize() const { return {pixels(table_.clientWidth), pixels(table_.clientHeight)}; }

QWidget* QtForm::firstFocus() const {
    const auto order = tabOrderOf(table_);
    return order.empty() ? nullptr : control(order.front()->name);
}

TwipSize screenTwips(const QWidget& window) {
    const QScreen* screen = screenOf(window);
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    const double dotsPerInch = dotsPerInchOf(window);
    return {twipsOfPixels(size.width(), dotsPerInch), twipsOfPixels(size.height(), dotsPerInch)};
}

TwipSize windowTwips(const QWidget& window) {
    const QSize size = window.frameGeometry().size();
    const double dotsPerInch = dotsPerInchOf(window);
    return {twipsOfPixels(size.width(), dotsPerInch), twipsOfPixels(size.height(), dotsPerInch)};
}

void moveWindowTo(QWidget& window, TwipPoint position) {
    const QScreen* screen = screenOf(window);
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double dotsPerInch = dotsPerInchOf(window);
    window.move(origin + QPoint(pixelsOfTwips(position.left, dotsPerInch), pixelsOfTwips(position.top, dotsPerInch)));
}

} // namespace almanix
