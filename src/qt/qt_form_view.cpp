#include "qt/qt_form_view.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <functional>

#include "qt/qt_calendar.h"

namespace almanix {

namespace {

// The main window's frame asks before it closes: true when the window may go.
class MainFrame final : public QMainWindow {
public:
    explicit MainFrame(std::function<bool()> mayClose)
        : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                                   Qt::MSWindowsFixedSizeDialogHint),
          mayClose_(std::move(mayClose)) {}

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(mayClose_()); }

private:
    std::function<bool()> mayClose_;
};

// A dialog's frame: Escape presses nothing, and the close box goes to the presenter.
class DialogFrame final : public QDialog {
public:
    DialogFrame(QWidget* owner, std::function<void()> frameClosed)
        : QDialog(owner,
                  Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
          frameClosed_(std::move(frameClosed)) {}

    // Reached only through the window frame: Escape is kept from it below.
    void reject() override { frameClosed_(); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }

private:
    std::function<void()> frameClosed_;
};

} // namespace

QtFormView::QtFormView(const WindowLayout& layout, QWidget* owner) : layout_(layout) {
    QWidget* client = nullptr;
    if (layout.kind == WindowKind::mainWindow) {
        auto* frame = new MainFrame([this] {
            if (!closing_) {
                closingFromFrame_ = true;
                frameClosed();
                closingFromFrame_ = false;
            }
            return closing_;
        });
        client = new QWidget(frame);
        frame->setCentralWidget(client);
        frame->menuBar()->setNativeMenuBar(false);
        for (const MenuItem& item : layout.menu) {
            QAction* action = frame->menuBar()->addAction(qtText(item.caption));
            action->setObjectName(qtText(item.name));
            QObject::connect(action, &QAction::triggered, frame, [this, name = item.name] {
                if (presenter_) presenter_->controlUsed(name);
            });
        }
        frame->setAttribute(Qt::WA_DeleteOnClose);
        window_ = frame;
    } else {
        auto* frame = new DialogFrame(owner, [this] { frameClosed(); });
        frame->setModal(true);
        client = frame;
        window_ = frame;
    }
    form_ = std::make_unique<QtForm>(*client, layout);
    // X11 shows the program's name in place of an empty title.
    window_->setWindowTitle(layout.title.empty() ? QStringLiteral(" ") : qtText(layout.title));
    const QSize clientSize = form_->clientSize();
    if (auto* frame = qobject_cast<QMainWindow*>(window_.data())) {
        client->setFixedSize(clientSize);
        frame->setFixedSize(clientSize.width(), clientSize.height() + frame->menuBar()->sizeHint().height());
    } else {
        window_->setFixedSize(clientSize);
    }

    const auto report = [this](std::string_view name) {
        if (presenter_) presenter_->controlUsed(name);
    };
    for (const ControlLayout& entry : layout.controls) {
        QWidget* widget = form_->control(entry.name);
        if (entry.kind == ControlKind::button || entry.kind == ControlKind::checkBox)
            QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, window_,
                             [report, name = entry.name] { report(name); });
        else if (entry.kind == ControlKind::slider)
            QObject::connect(static_cast<QSlider*>(widget), &QSlider::valueChanged, window_,
                             [report, name = entry.name] { report(name); });
        else if (entry.kind == ControlKind::calendar)
            static_cast<QtCalendar*>(widget)->reportPicksTo([this, name = entry.name](const CalendarDate& date) {
                if (presenter_) presenter_->datePicked(name, date);
            });
    }
}

QtFormView::~QtFormView() {
    // The main window deletes itself when it closes.
    if (layout_.kind == WindowKind::dialog) delete window_.data();
}

void QtFormView::attach(FormPresenter& presenter) { presenter_ = &presenter; }

void QtFormView::frameClosed() {
    if (presenter_)
        presenter_->frameClosed();
    else
        closeWindow();
}

void QtFormView::runModal() {
    if (QWidget* first = form_->firstFocus()) first->setFocus(Qt::OtherFocusReason);
    if (auto* dialog = qobject_cast<QDialog*>(window_.data())) dialog->exec();
}

TwipSize QtFormView::screenSize() { return screenTwips(*window_); }

TwipSize QtFormView::windowSize() { return windowTwips(*window_); }

void QtFormView::moveWindow(TwipPoint position) { moveWindowTo(*window_, position); }

void QtFormView::closeWindow() {
    if (auto* dialog = qobject_cast<QDialog*>(window_.data())) {
        dialog->done(QDialog::Accepted);
        return;
    }
    closing_ = true;
    // A close through the frame is under way and now goes ahead.
    if (!closingFromFrame_ && window_) window_->close();
}

void QtFormView::showDialog(const WindowLayout& dialog, const PresenterMaker& maker) {
    QtFormView view(dialog, window_);
    const std::unique_ptr<FormPresenter> presenter = maker(view);
    view.attach(*presenter);
    presenter->load();
    view.runModal();
}

std::string QtFormView::text(std::string_view control) {
    QWidget* widget = form_->control(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    return {};
}

void QtFormView::setText(std::string_view control, std::string_view text) {
    QWidget* widget = form_->control(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(qtText(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qtText(text));
        // It keeps its left edge.
        const ControlLayout* entry = layout_.control(control);
        if (entry && entry->style.autoSize) label->resize(label->sizeHint());
    }
}

bool QtFormView::isChecked(std::string_view checkBox) {
    auto* box = qobject_cast<QCheckBox*>(form_->control(checkBox));
    return box && box->isChecked();
}

void QtFormView::setChecked(std::string_view checkBox, bool checked) {
    if (auto* box = qobject_cast<QCheckBox*>(form_->control(checkBox))) box->setChecked(checked);
}

void QtFormView::appendItem(std::string_view list, std::string_view item) {
    if (auto* widget = qobject_cast<QListWidget*>(form_->control(list))) widget->addItem(qtText(item));
}

void QtFormView::removeItem(std::string_view list, std::size_t index) {
    if (auto* widget = qobject_cast<QListWidget*>(form_->control(list)))
        delete widget->takeItem(static_cast<int>(index));
}

std::optional<std::size_t> QtFormView::selectedItem(std::string_view list) {
    auto* widget = qobject_cast<QListWidget*>(form_->control(list));
    if (!widget) return std::nullopt;
    const QList<QListWidgetItem*> selected = widget->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(widget->row(selected.front()));
}

void QtFormView::selectItem(std::string_view list, std::optional<std::size_t> index) {
    auto* widget = qobject_cast<QListWidget*>(form_->control(list));
    if (!widget) return;
    if (!index) {
        widget->clearSelection();
        widget->setCurrentRow(-1);
        return;
    }
    const int row = static_cast<int>(*index);
    widget->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    widget->scrollToItem(widget->item(row));
}

void QtFormView::setRange(std::string_view slider, int lowest, int highest) {
    if (auto* widget = qobject_cast<QSlider*>(form_->control(slider))) widget->setRange(lowest, highest);
}

int QtFormView::value(std::string_view slider) {
    auto* widget = qobject_cast<QSlider*>(form_->control(slider));
    return widget ? widget->value() : 0;
}

void QtFormView::setValue(std::string_view slider, int value) {
    if (auto* widget = qobject_cast<QSlider*>(form_->control(slider))) widget->setValue(value);
}

void QtFormView::setEnabled(std::string_view control, bool enabled) {
    if (QWidget* widget = form_->control(control)) widget->setEnabled(enabled);
}

void QtFormView::focus(std::string_view control) {
    QWidget* widget = form_->control(control);
    if (!widget) return;
    widget->setFocus(Qt::OtherFocusReason);
    // As the Tab key does: the box's text is selected, ready to be typed over.
    if (auto* box = qobject_cast<QLineEdit*>(widget)) box->selectAll();
}

CalendarControl& QtFormView::calendar(std::string_view calendar) {
    return *static_cast<QtCalendar*>(form_->control(calendar));
}

std::optional<std::string> QtFormView::choosePath(std::string_view nearControl, const PathChoice& choice) {
    QWidget* anchor = form_->control(nearControl);
    QMenu menu(window_);
    const QAction* file = menu.addAction(qtText(choice.fileCaption));
    const QAction* folder = menu.addAction(qtText(choice.folderCaption));
    const QAction* chosen = menu.exec(anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos());
    QString path;
    if (chosen == file)
        path = QFileDialog::getOpenFileName(window_, qtText(choice.fileCaption), QString(),
                                            qtText(choice.filePattern) + QStringLiteral(";;*"));
    else if (chosen == folder)
        path = QFileDialog::getExistingDirectory(window_, qtText(choice.folderCaption));
    if (path.isEmpty()) return std::nullopt;
    // The file system's own bytes, whatever the name's script.
    return QFile::encodeName(path).toStdString();
}

void openMainWindow(const WindowLayout& layout, const PresenterMaker& maker) {
    struct OpenWindow {
        std::unique_ptr<QtFormView> view;
        std::unique_ptr<FormPresenter> presenter;
    };
    auto open = std::make_shared<OpenWindow>();
    open->view = std::make_unique<QtFormView>(layout, nullptr);
    open->presenter = maker(*open->view);
    open->view->attach(*open->presenter);
    QWidget& window = open->view->window();
    // The presenter goes first, as it works on the view.
    QObject::connect(&window, &QObject::destroyed, [open] {
        open->presenter.reset();
        open->view.reset();
    });
    open->presenter->load();
    window.show();
}

} // namespace almanix
