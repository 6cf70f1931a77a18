#include "app/ui/dropped_run_services.h"

#include <QCoreApplication>


namespace pelmora {

void QuietProgress::Pump() {
    if (pumpEvents_ && QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

}  // namespace pelmora
