#include "net/LineBuffer.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr char kBackspace = 8;
constexpr char kTab = 9;
constexpr std::size_t kTabStop = 8;
} // namespace

std::size_t LineBuffer::Take(char* out, std::size_t count)
{
    count = std::min(count, FData.size());
    std::memcpy(out, FData.data(), count);
    FData.erase(0, count);
    return count;
}

void LineBuffer::Drop(std::size_t count)
{
    FData.erase(0, std::min(count, FData.size()));
}

std::size_t LineBuffer::LineLength(const AnsiString& lineEnd, std::size_t searchFrom) const
{
    if (lineEnd.empty() || searchFrom >= FData.size())
        return 0;
    std::size_t at = FData.find(lineEnd, searchFrom);
    return at == AnsiString::npos ? 0 : at + lineEnd.size();
}

AnsiString LineBuffer::Edit(std::size_t from)
{
    AnsiString echo;
    AnsiString edited = FData.substr(0, std::min(from, FData.size()));
    for (std::size_t i = edited.size(); i < FData.size(); ++i) {
        char c = FData[i];
        if (c == kBackspace) {
            if (!edited.empty()) {
                edited.pop_back();
                echo += "\b \b";
            }
        } else if (c == kTab) {
            std::size_t blanks = kTabStop - edited.size() % kTabStop;
            edited.append(blanks, ' ');
            echo.append(blanks, ' ');
        } else {
            edited += c;
            echo += c;
        }
    }
    FData = std::move(edited);
    return echo;
}
