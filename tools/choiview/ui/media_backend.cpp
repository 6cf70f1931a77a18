#include "tools/choiview/ui/media_backend.h"

#include <QByteArray>
#include <QtGlobal>

namespace pelmora {

void UseGStreamerMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));
}

}  // namespace pelmora
