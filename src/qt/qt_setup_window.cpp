#include "qt/qt_setup_window.h"

#include <QLabel>
#include <QMenuBar>

#include "qt/qt_about_box.h"
#include "qt/qt_events_dialog.h"
#include "qt/qt_speed_dialog.h"

namespace almanix {

namespace {

template <typename View, typename Presenter, typename... Services>
void openDialog(QWidget* owner, Services&... services) {
    View view(owner);
    runDialog<Presenter>(view, services...);
}

} // namespace

QtSetupWindow::QtSetupWindow(Platform& platform, SetupDialogs* dialogs)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      services_{platform.eventStore(), platform.registry, platform.messages},
      client_(new QWidget(this)),
      form_(std::make_unique<QtForm>(*client_, setupWindowLayout())),
      presenter_(*this, dialogs ? *dialogs : *this, platform.paths.picturesFolderText) {
    const WindowLayout& table = setupWindowLayout();
    setWindowTitle(qtText(table.title));
    setCentralWidget(client_);
    menuBar()->setNativeMenuBar(false);
    for (const MenuItem& item : table.menu) {
        QAction* action = menuBar()->addAction(qtText(item.caption));
        action->setObjectName(qtText(item.name));
        connect(action, &QAction::triggered, this,
                [this, name = item.name] { runAction(SetupWindow::actions(), presenter_, name); });
    }
    const QSize client = form_->clientSize();
    client_->setFixedSize(client);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void QtSetupWindow::setLabelText(std::string_view controlName, const std::string& text) {
    if (auto* label = form_->get<QLabel>(controlName)) label->setText(QString::fromStdString(text));
}

void QtSetupWindow::showEventsDialog() { openDialog<QtEventsDialog, EventsDialog>(this, services_); }

void QtSetupWindow::showSpeedDialog() { openDialog<QtSpeedDialog, SpeedDialog>(this, services_); }

void QtSetupWindow::showAboutBox() { openDialog<QtAboutBox, AboutBox>(this); }

bool openSetupWindow(Platform& platform) {
    auto* window = new QtSetupWindow(platform);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->presenter().load();
    window->show();
    return true;
}

} // namespace almanix
