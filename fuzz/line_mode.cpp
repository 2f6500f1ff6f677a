// Line mode holds bytes from the network and edits them as typed text: any bytes, in any
// pieces, with any line end, must be split into lines without loss beyond what editing removes.
#include "net/LineBuffer.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const bool edit = data[0] & 1;
    const std::size_t endLength = 1 + data[0] % 3;
    const std::size_t piece = 1 + data[1] % 16;
    data += 2;
    size -= 2;
    if (size < endLength)
        return 0;
    const AnsiString lineEnd(reinterpret_cast<const char*>(data), endLength);
    data += endLength;
    size -= endLength;

    LineBuffer buffer;
    std::size_t delivered = 0;
    for (std::size_t at = 0; at < size; at += piece) {
        std::size_t count = size - at < piece ? size - at : piece;
        std::size_t before = buffer.Size();
        buffer.Append(reinterpret_cast<const char*>(data + at), count);
        if (edit) {
            buffer.Edit(before);
            // Editing never leaves a backspace or a tab among the new bytes.
            const AnsiString& held = buffer.Data();
            for (std::size_t i = before < held.size() ? before : held.size(); i < held.size(); ++i)
                if (held[i] == '\b' || held[i] == '\t')
                    std::abort();
        }
        while (std::size_t length = buffer.LineLength(lineEnd)) {
            if (length > buffer.Size() || buffer.Data().compare(length - lineEnd.size(), lineEnd.size(), lineEnd) != 0)
                std::abort();
            char line[4096];
            std::size_t left = length;
            while (left > 0) {
                std::size_t took = buffer.Take(line, left < sizeof line ? left : sizeof line);
                if (took == 0)
                    std::abort();
                left -= took;
            }
            delivered += length;
        }
    }
    if (!edit && delivered + buffer.Size() != size)
        std::abort();
    return 0;
}
