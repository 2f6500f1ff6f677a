// Component properties read from a form stream: names, value types, lengths and the items of a
// check list or the icons of an icon list, as they come.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <string>
#include "kit/CheckListBox.h"
#include "kit/IconList.h"
#include "platform/core/Filer.h"

namespace {

template <typename T>
void ReadInto(T& instance, const std::string& bytes)
{
    TStringStream stream(bytes);
    try {
        TReader(stream).ReadProperties(instance);
    } catch (const Exception&) {
    }
    TMemoryStream out;
    TWriter(out).WriteProperties(instance);
}

} // namespace

// The font library keeps its caches until the process ends; they are not leaks of the code under
// test.
extern "C" const char* __lsan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_form_stream";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets must not outlive the application in static destructors.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TKitCheckListBox list(nullptr);
    ReadInto(list, bytes);
    TIconList icons;
    ReadInto(icons, bytes);
    return 0;
}
