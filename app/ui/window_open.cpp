#include "app/ui/window_open.h"

#include <QApplication>
#include <QWidget>

namespace pelmora {

bool IsWindowOpen(const QString& windowName) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // A closed window that Qt keeps around hidden counts as unloaded.
        if (window->objectName() == windowName && window->isVisible()) return true;
    }
    return false;
}

}  // namespace pelmora
