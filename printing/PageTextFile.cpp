#include "printing/PageTextFile.h"
#include "platform/core/Exceptions.h"

namespace {

template <typename Fn>
void AsInOutError(Fn&& action)
{
    try {
        action();
    } catch (const EStreamError& error) {
        throw EInOutError(error.Message);
    }
}

} // namespace

PageTextFile::PageTextFile(const AnsiString& fileName)
{
    AsInOutError([&] { FStream = std::make_unique<TFileStream>(fileName, fmCreate); });
}

void PageTextFile::Write(const AnsiString& text)
{
    AsInOutError([&] { FStream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); });
}
