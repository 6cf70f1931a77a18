#include "app/ui/busy_state.h"

#include <QAction>
#include <QApplication>

#include "app/ui/is_form_loaded.h"

namespace pelmora {

namespace {

// Tool windows that are disabled for a busy period when open.
const QStringList kDockedWindows = {"Form3", "Form4", "Form7"};

// A window that is open keeps the menu entry that opens it disabled.
struct OpenWindowRule {
    const char* form;
    const char* menu;
};
constexpr OpenWindowRule kOpenWindowRules[] = {
    {"Form3", "mnu_Setting"}, {"Form4", "mnu_netView"}, {"Form7", "mnu_Jump"}, {"Form5", "mnu_ChiView"},
    {"Form6", "mnu_HexView"}, {"Form9", "mnu_ACLView"}, {"Form8", "mnu_ver"},
};

void SetFormEnabled(const QString& formName, bool enabled) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == formName) window->setEnabled(enabled);
    }
}

}  // namespace

const QStringList& BusyState::BusyControlNames() {
    static const QStringList names = {"Command1",  "Command3",  "Command4",  "Command5", "Command6",
                                      "Command7",  "Command9",  "Command10", "Command11", "Command12",
                                      "Drive1",    "Dir1",      "File1",     "Combo1"};
    return names;
}

const QStringList& BusyState::BusyMenuNames() {
    static const QStringList names = {"mnu_Jump", "mnu_Setting", "mnu_view", "mnu_net", "mnu_ver"};
    return names;
}

BusyState::BusyState(QWidget* mainWindow) : mainWindow_(mainWindow) {}

void BusyState::SetEnabled(const QString& name, bool enabled) {
    if (!mainWindow_) return;
    // Only the main window's own controls: the progress dialog has a Command1 of its own.
    for (QWidget* widget : mainWindow_->findChildren<QWidget*>(name)) {
        if (widget->window() == mainWindow_) widget->setEnabled(enabled);
    }
    for (QAction* action : mainWindow_->findChildren<QAction*>(name)) action->setEnabled(enabled);
}

void BusyState::EnterBusyState() {
    busy_ = true;
    for (const auto& name : BusyControlNames()) SetEnabled(name, false);
    for (const auto& name : BusyMenuNames()) SetEnabled(name, false);
    for (const auto& form : kDockedWindows) {
        if (IsFormLoaded(form)) SetFormEnabled(form, false);
    }
}

void BusyState::LeaveBusyState() {
    for (const auto& name : BusyControlNames()) SetEnabled(name, true);
    for (const auto& name : BusyMenuNames()) SetEnabled(name, true);
    for (const auto& rule : kOpenWindowRules) {
        if (!IsFormLoaded(rule.form)) continue;
        SetEnabled(rule.menu, false);
        SetFormEnabled(rule.form, true);
    }
    busy_ = false;
}

}  // namespace pelmora
