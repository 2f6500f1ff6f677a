#include "platform/services/MediaEngine.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>
#include <QtDebug>

namespace {

constexpr const char* kMediaModuleName = "libqex_media.so";

const MediaModuleEntry* LoadMediaModule()
{
    // Beside the program, in the library folder beside its bin folder, or where the build put
    // it (tests, and copies of the program started from elsewhere).
    const QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QStringList places = {folder + "/" + kMediaModuleName, folder + "/../lib/" + kMediaModuleName,
                                QStringLiteral(QEX_MEDIA_MODULE)};
    QStringList errors;
    for (const QString& place : places) {
        if (!QFileInfo::exists(place))
            continue;
        QLibrary module(place);
        if (!module.load()) {
            errors << module.errorString();
            continue;
        }
        if (auto entry = reinterpret_cast<MediaModuleEntryFunction>(module.resolve(QEX_MEDIA_MODULE_ENTRY)))
            return entry(); // loaded for the program's life
        errors << module.errorString();
    }
    qWarning().noquote() << "Sound is not available:"
                         << (errors.isEmpty() ? QStringLiteral("no sound module found") : errors.join("; "));
    return nullptr;
}

const MediaModuleEntry* MediaModule()
{
    static const MediaModuleEntry* entry = LoadMediaModule();
    return entry;
}

} // namespace

std::unique_ptr<MediaFilePlayer> CreateMediaFilePlayer()
{
    const MediaModuleEntry* module = MediaModule();
    return module ? std::unique_ptr<MediaFilePlayer>(module->CreatePlayer()) : nullptr;
}

ToneSink* AudioToneSinkFromModule()
{
    const MediaModuleEntry* module = MediaModule();
    return module ? module->ToneSinkInstance() : nullptr;
}
