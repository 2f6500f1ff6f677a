#include "net/HttpResponseReader.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <cstring>

void HttpResponseReader::Start()
{
    FBuffer.Clear();
    FMode = Mode::Header;
    FHeaderLines = 0;
    FHeaderBytes = 0;
}

void HttpResponseReader::Stop()
{
    FMode = Mode::Stopped;
    FBuffer.Clear();
}

void HttpResponseReader::Feed(const char* data, std::size_t size)
{
    while (size > 0 && Reading()) {
        int room = 0;
        char* space = FreeSpace(room);
        int count = static_cast<int>(std::min<std::size_t>(size, static_cast<std::size_t>(room)));
        std::memcpy(space, data, static_cast<std::size_t>(count));
        Received(count);
        data += count;
        size -= static_cast<std::size_t>(count);
    }
}

void HttpResponseReader::Received(int count)
{
    if (count <= 0 || FMode == Mode::Stopped)
        return;
    FBuffer.Added(count);
    if (FMode == Mode::Body) {
        PassRestAsBody(0);
        return;
    }
    ReadHeaderLines();
}

void HttpResponseReader::ReadHeaderLines()
{
    AnsiString line;
    int raw = 0;
    while (FMode == Mode::Header && FBuffer.TakeLine(line, raw))
        if (!HandleHeaderLine(line, raw))
            return;
    if (FMode == Mode::Header && FBuffer.Full())
        Fail("HTTP line too long");
}

bool HttpResponseReader::HandleHeaderLine(const AnsiString& line, int raw)
{
    FHeaderBytes += raw;
    if (FHeaderBytes > kMaxHeaderBytes) {
        Fail("HTTP header too long");
        return false;
    }
    if (FHeaderLines++ == 0) {
        FListener.ResponseHeaderBegin();
        if (FMode != Mode::Header)
            return false;
    }
    if (line.size() >= 6 && SameText(line.substr(0, 6), "<HTML>")) {
        // A document sent without a header: it is all body, this line and its line end too.
        FFields.Headerless = true;
        if (FFields.ContentType.empty())
            FFields.ContentType = "text/html";
        if (!FListener.ResponseHeaderComplete(true) || FMode == Mode::Stopped)
            return false;
        FMode = Mode::Body;
        PassRestAsBody(raw);
        return false;
    }
    if (line.empty()) {
        if (!FListener.ResponseHeaderComplete(false) || FMode == Mode::Stopped)
            return false;
        FMode = Mode::Body;
        PassRestAsBody(0);
        return false;
    }
    AnsiString name, value;
    if (!FFields.Apply(line, name, value)) {
        Fail("Invalid Content-Length");
        return false;
    }
    FListener.ResponseHeaderLine(line, name, value);
    return FMode == Mode::Header;
}

void HttpResponseReader::PassRestAsBody(int back)
{
    int length = 0;
    const char* rest = FBuffer.Unread(back, length);
    if (length > 0)
        FListener.ResponseBody(rest, length);
    // The listener may have stopped reading, which has cleared the buffer already.
    FBuffer.Clear();
}

void HttpResponseReader::Fail(const AnsiString& reason)
{
    Stop();
    FListener.ResponseFailed(4, reason);
}
