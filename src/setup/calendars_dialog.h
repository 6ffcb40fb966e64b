#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The Calendars dialog: the .ics files, folders and links whose events the
// saver announces beside the event file's, each with its state.
const WindowLayout& calendarsDialogLayout();

class CalendarsDialog final : public FormPresenter {
public:
    CalendarsDialog(FormView& view, SetupServices& services);

    // Centres the dialog and lists the stored sources with their states.
    void load() override;
    void controlUsed(std::string_view control) override;
    // Closing through the window frame is Cancel.
    void frameClosed() override { cancel(); }

    // Adds what the box holds; an empty box or a source already listed is told.
    void add();
    // Picks a file or a folder and adds it.
    void browse();
    void remove();
    // Stores the list, with what the box still holds, and closes; a failed
    // store is shown and the dialog stays with every edit.
    void accept();
    void cancel();

private:
    // False when the source was not added, after saying why.
    bool addSource(std::string source);
    void showMessage(const std::string& text);

    FormView& view_;
    SetupServices& services_;
    std::vector<std::string> sources_;
};

} // namespace almanix
