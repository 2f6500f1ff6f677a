// Icon lists read from a stream: counts, sizes and icon bytes as they come.
#include <cstddef>
#include <cstdint>
#include <string>
#include "kit/IconList.h"
#include "platform/core/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TStringStream stream(std::string(reinterpret_cast<const char*>(data), size));
    TIconList list;
    try {
        list.LoadFromStream(stream);
    } catch (const Exception&) {
    }
    TMemoryStream out;
    list.SaveToStream(out);
    return 0;
}
