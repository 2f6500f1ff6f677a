// Bytes from the browser engine's helper process into the program's reader of the channel: any
// bytes give whole messages or break the channel, never a crash or a wild allocation, and every
// message read is written back to the same bytes.
#include "platform/services/WebPageChannel.h"
#include <cstddef>
#include <cstdint>
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // In two pieces, as a socket may deliver them.
    const auto* bytes = reinterpret_cast<const char*>(data);
    const std::size_t cut = size / 2;
    WebPageMessageReader reader;
    reader.Append(bytes, static_cast<qsizetype>(cut));
    qsizetype consumed = 0;
    auto drain = [&] {
        while (std::optional<WebPageMessage> message = reader.Next()) {
            const QByteArray again = EncodeWebPageMessage(*message);
            Check(consumed + again.size() <= static_cast<qsizetype>(size));
            Check(QByteArray::fromRawData(bytes + consumed, again.size()) == again);
            consumed += again.size();
        }
    };
    drain();
    reader.Append(bytes + cut, static_cast<qsizetype>(size - cut));
    drain();
    return 0;
}
