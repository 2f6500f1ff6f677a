#include "platform/services/MediaEngine.h"
#include <QCoreApplication>
#include <QLibrary>
#include <QtDebug>

namespace {

constexpr const char* kMediaModuleName = "libqex_media.so";

// Beside the program and nowhere else, as the browser helper.
const MediaModuleEntry* LoadMediaModule()
{
    if (!QCoreApplication::instance()) {
        qWarning().noquote() << "Sound is not available: no application to find the sound module beside";
        return nullptr;
    }
    QLibrary module(QCoreApplication::applicationDirPath() + "/" + kMediaModuleName);
    QString error;
    if (!module.load())
        error = module.errorString();
    else if (auto entry = reinterpret_cast<MediaModuleEntryFunction>(module.resolve(QEX_MEDIA_MODULE_ENTRY)))
        return entry(); // loaded for the program's life
    else
        error = module.errorString();
    qWarning().noquote() << "Sound is not available:" << error;
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
