#include "platform/services/MediaBackend.h"
#include <QByteArray>
#include <QtGlobal>

void PreferMediaBackend()
{
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}
