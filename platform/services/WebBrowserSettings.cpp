// What the engine is given from the container's ambient properties: the download flags as what
// pages may run and load, the host info as the frame and scroll bars, and the faces to draw with.
#include "platform/services/WebBrowser.h"
#include "platform/forms/Font.h"
#include "platform/forms/QtText.h"
#include "platform/services/WebBrowserEngine.h"
#include <QFrame>

namespace {

// The platform's download-control flags that the engine has a setting for.
constexpr DWORD kDownloadImages = 0x10;
constexpr DWORD kPlayVideos = 0x20;
constexpr DWORD kPlaySounds = 0x40;
constexpr DWORD kNoScripts = 0x80;
constexpr DWORD kSilent = 0x40000000;
// The control's own choice when its container has no ambient download flags.
constexpr DWORD kDefaultDownloadFlags = kDownloadImages | kPlayVideos | kPlaySounds;

// Faces the program's pages and forms name, drawn here as the forms draw them.
constexpr const char* kNamedFaces[] = {"Verdana", "Arial", "Tahoma", "MS Sans Serif", "Microsoft Sans Serif",
                                       "Times New Roman", "Courier New", "Courier"};

} // namespace

WebPageSettings TWebBrowser::PageSettings()
{
    int flags = static_cast<int>(kDefaultDownloadFlags);
    if (Invoke(DISPID_AMBIENT_DLCONTROL, nullptr, 0, DISPATCH_PROPERTYGET, nullptr, &flags, nullptr, nullptr) != S_OK)
        flags = static_cast<int>(kDefaultDownloadFlags);
    const auto has = [flags](DWORD flag) { return (static_cast<DWORD>(flags) & flag) != 0; };
    WebPageSettings settings;
    settings.scripts = !has(kNoScripts);
    settings.images = has(kDownloadImages);
    settings.videos = has(kPlayVideos);
    settings.sounds = has(kPlaySounds);
    FSilent = has(kSilent);
    settings.standardFamily = ToQString(InstalledFamily(TFont().Name()));
    settings.sansSerifFamily = ToQString(InstalledFamily("Arial"));
    settings.serifFamily = ToQString(InstalledFamily("Times New Roman"));
    settings.fixedFamily = ToQString(InstalledFamily("Courier New"));
    for (const char* face : kNamedFaces)
        if (InstalledFamily(face) != face)
            settings.namedFaces.emplace_back(QString::fromLatin1(face), ToQString(InstalledFamily(face)));
    return settings;
}

void TWebBrowser::AmbientPropertyChange()
{
    if (View())
        View()->Apply(PageSettings());
    TDocHostUIInfo info;
    if (GetHostInfo(info) != S_OK)
        return;
    FFrame->setFrameShape(info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER ? QFrame::NoFrame : QFrame::StyledPanel);
    FScrollBarsShown = !(info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO);
    if (View())
        View()->SetScrollBarsShown(FScrollBarsShown);
}
