#include "app/ui/is_form_loaded.h"

#include <QApplication>
#include <QWidget>

namespace pelmora {

bool IsFormLoaded(const QString& formName) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // A closed window that Qt keeps around hidden counts as unloaded.
        if (window->objectName() == formName && window->isVisible()) return true;
    }
    return false;
}

}  // namespace pelmora
