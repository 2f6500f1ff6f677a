// Page text into the browser host: listing text from the network ends up in the pages, so any
// bytes must load (or fail with 1) without crashing, and a load never navigates anywhere but
// to the blank page, which only the first load asks for.
#include "platform/core/Strings.h"
#include "shell/BrowserHost.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <string>
#include "FuzzCheck.h"

// Qt keeps its font caches until the process ends; they are not leaks of the code under test.
extern "C" const char* __lsan_default_options()
{
    return "detect_leaks=0";
}

// The engine's library frees some of its own objects through a base of another size; every frame
// of that report lies inside the library, which was not built for the sanitizer.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_browser_page";
    static char* argv[] = {name, nullptr};
    // Never destroyed: the engine must not be torn down by static destructors after main.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    TBrowserHost host(nullptr);
    // In sight, as the main window's table is: out of sight a page waits and starts no engine.
    host.Widget()->show();
    // As the main window's host: its pages never run a script, whatever the listing text says.
    host.SetDownloadOptions(host.DownloadOptions() << TDownloadControlOption::DLCTL_NO_SCRIPTS);
    int navigations = 0;
    host.OnBeforeNavigate2 = [&](TObject*, void*, const AnsiString& url, int, const AnsiString&, const AnsiString&,
                                 const AnsiString&, bool&) {
        Check(url == "about:blank");
        ++navigations;
    };
    TStringList lines;
    lines.SetText(AnsiString(reinterpret_cast<const char*>(data), size));
    const HRESULT first = host.LoadHtmlFromStrings(lines);
    const HRESULT second = host.LoadHtmlFromStrings(lines);
    Check(first == S_OK && second == S_OK);
    // The engine shows the page; whatever its links, forms or refreshes, nothing navigates.
    QDeadlineTimer deadline(20000);
    QTimer wakeUp; // the deadline is seen while nothing else happens
    wakeUp.start(20);
    while (host.ReadyState() != READYSTATE_COMPLETE && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    Check(host.ReadyState() == READYSTATE_COMPLETE);
    Check(navigations == 1);
    return 0;
}
