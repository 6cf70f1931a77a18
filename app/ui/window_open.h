#pragma once
// Whether a window of the given objectName ("Form5", "Form6", ...) is open now.

#include <QString>

namespace pelmora {

bool IsWindowOpen(const QString& windowName);

}  // namespace pelmora
