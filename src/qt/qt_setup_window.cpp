#include "qt/qt_setup_window.h"

#include <QLabel>
#include <QMenuBar>

#include "events/date_pattern.h"
#include "qt/linux_platform.h"
#include "qt/linux_shell.h"
#include "qt/posix_file_system.h"
#include "qt/qt_about_box.h"
#include "qt/qt_events_dialog.h"
#include "qt/qt_speed_dialog.h"
#include "settings/reg_file_registry.h"

namespace almanix {

namespace {

template <typename View, typename Presenter, typename... Services>
void openDialog(QWidget* owner, Services&... services) {
    View view(owner);
    runDialog<Presenter>(view, services...);
}

} // namespace

QtSetupWindow::QtSetupWindow(SetupServices& services, SetupDialogs* dialogs)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      services_(services),
      client_(new QWidget(this)),
      form_(std::make_unique<QtForm>(*client_, setupfmLayout())),
      presenter_(*this, dialogs ? *dialogs : *this, kLinuxPicturesFolderText) {
    const WindowLayout& table = setupfmLayout();
    setWindowTitle(qtText(table.title));
    setCentralWidget(client_);
    menuBar()->setNativeMenuBar(false);
    for (const MenuItem& item : table.menu) {
        QAction* action = menuBar()->addAction(qtText(item.caption));
        action->setObjectName(qtText(item.name));
        const std::string_view name = item.name;
        connect(action, &QAction::triggered, this, [this, name] {
            if (name == "muevents") presenter_.muevents_Click();
            if (name == "muspeed") presenter_.muspeed_Click();
            if (name == "muabout") presenter_.muabout_Click();
        });
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

bool showLinuxSetupWindow() {
    qtApplication();
    // The files, settings and clock that the dialogs use, for the life of the process.
    static PosixFileSystem files;
    static RegFileRegistry registry(files, linuxConfigFolder());
    static QtMessageBox messages;
    static DatePattern shortDate = localeShortDate();
    static SystemClock clock;
    static SetupServices services{{files, linuxDataPaths(), shortDate, clock}, registry, messages};

    auto* window = new QtSetupWindow(services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->presenter().Form_Load();
    window->show();
    return true;
}

} // namespace almanix
