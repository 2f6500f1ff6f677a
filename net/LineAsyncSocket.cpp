#include "net/LineAsyncSocket.h"
#include <algorithm>
#include <vector>

using namespace winsock;

void TCustomLineAsyncSocket::SetLineMode(bool value)
{
    if (value == FLineMode)
        return;
    FLineMode = value;
    if (!FHeld.Empty() || FLineLength > 0)
        PostMessage(Handle(), WM_LINE_DELIVER, 0, 0);
}

void TCustomLineAsyncSocket::WndProc(TMessage& msg)
{
    if (msg.Msg != WM_LINE_DELIVER) {
        TCustomSocksAsyncSocket::WndProc(msg);
        return;
    }
    try {
        DeliverHeld();
    } catch (const Exception& e) {
        TriggerBgException(e);
    } catch (const std::exception& e) {
        TriggerBgException(Exception(e.what()));
    }
}

// Held bytes after a change of mode: lines while line mode is on, raw bytes otherwise. Each pass
// must take something, or the bytes stay for the next chance.
void TCustomLineAsyncSocket::DeliverHeld()
{
    while (!FHeld.Empty()) {
        std::size_t before = FHeld.Size();
        if (FLineMode && !FLineEnd.empty()) {
            FStalled = false;
            DeliverLines(0);
            CheckLineLimit();
        } else if (!TCustomSocksAsyncSocket::TriggerDataAvailable(0)) {
            return;
        }
        if (FHeld.Size() >= before)
            return;
    }
}

bool TCustomLineAsyncSocket::TriggerDataAvailable(std::uint16_t error)
{
    if (!FLineMode || FLineEnd.empty() || SocksNegotiating())
        return TCustomSocksAsyncSocket::TriggerDataAvailable(error);
    const std::size_t oldSize = FHeld.Size();
    if (!ReceiveIntoBuffer())
        return true;
    if (FLineEdit)
        EditLine(oldSize);
    else if (FLineEcho)
        Echo(FHeld.Data().substr(oldSize));
    std::size_t searchFrom = FStalled || oldSize < FLineEnd.size() ? 0 : oldSize - FLineEnd.size();
    FStalled = false;
    DeliverLines(searchFrom);
    CheckLineLimit();
    return true;
}

bool TCustomLineAsyncSocket::ReceiveIntoBuffer()
{
    int pending = TCustomSocksAsyncSocket::GetRcvdCount();
    std::size_t want = pending > 0 ? static_cast<std::size_t>(pending) : 255;
    std::vector<char> incoming(want);
    // Below this layer: the owner's reads of lines are what count as received.
    int count = TCustomSocksAsyncSocket::DoRecv(incoming.data(), static_cast<int>(want), 0);
    if (count <= 0)
        return false;
    FHeld.Append(incoming.data(), static_cast<std::size_t>(count));
    return true;
}

void TCustomLineAsyncSocket::EditLine(std::size_t from)
{
    AnsiString echo = FHeld.Edit(from);
    if (FLineEcho)
        Echo(echo);
}

void TCustomLineAsyncSocket::Echo(const AnsiString& bytes)
{
    if (!bytes.empty() && FState == wsConnected)
        SendStr(bytes);
}

void TCustomLineAsyncSocket::DeliverLines(std::size_t searchFrom)
{
    while (FLineMode && !FLineEnd.empty()) {
        std::size_t length = FHeld.LineLength(FLineEnd, searchFrom);
        if (length == 0)
            return;
        if (!DeliverLine(length)) {
            FStalled = true;
            return;
        }
        searchFrom = 0;
    }
}

bool TCustomLineAsyncSocket::DeliverLine(std::size_t length)
{
    FLineLength = length;
    FLineReceivedFlag = true;
    bool tookSome = false;
    while (FLineMode && FLineLength > 0) {
        std::size_t before = FLineLength;
        if (!TCustomSocksAsyncSocket::TriggerDataAvailable(0)) {
            FHeld.Drop(FLineLength); // nobody reads: the line goes
            FLineLength = 0;
            tookSome = true;
            break;
        }
        if (FLineLength == before)
            break; // the owner read nothing of it; asking again would never end
        tookSome = true;
    }
    FLineReceivedFlag = false;
    // What is left of a line when line mode goes off stays held and is served as raw bytes.
    FLineLength = 0;
    return tookSome;
}

void TCustomLineAsyncSocket::CheckLineLimit()
{
    if (FStalled || FLineLimit <= 0 || FHeld.Size() <= static_cast<std::size_t>(FLineLimit))
        return;
    if (FHeld.LineLength(FLineEnd) != 0)
        return;
    FLineClearData = true;
    TriggerLineLimitExceeded(static_cast<int>(FHeld.Size()), FLineClearData);
    if (FLineClearData)
        FHeld.Clear();
}

void TCustomLineAsyncSocket::TriggerLineLimitExceeded(int count, bool& clearData)
{
    if (OnLineLimitExceeded && !Destroying())
        OnLineLimitExceeded(this, count, clearData);
}

void TCustomLineAsyncSocket::TriggerSessionClosed(std::uint16_t error)
{
    if (FLineMode && !FHeld.Empty()) {
        // What came after the last line end is the last line.
        while (!FHeld.Empty() && FLineMode && DeliverLine(FHeld.Size())) {
        }
    }
    FHeld.Clear();
    FStalled = false;
    TCustomSocksAsyncSocket::TriggerSessionClosed(error);
}

int TCustomLineAsyncSocket::GetRcvdCount()
{
    if (FLineReceivedFlag)
        return static_cast<int>(FLineLength);
    if (!FLineMode && !FHeld.Empty())
        return static_cast<int>(FHeld.Size());
    return TCustomSocksAsyncSocket::GetRcvdCount();
}

int TCustomLineAsyncSocket::DoRecv(void* buffer, int length, int flags)
{
    if (length <= 0 || (!FLineReceivedFlag && (FLineMode || FHeld.Empty())))
        return TCustomSocksAsyncSocket::DoRecv(buffer, length, flags);
    std::size_t limit = FLineReceivedFlag ? FLineLength : FHeld.Size();
    std::size_t count = std::min(limit, static_cast<std::size_t>(length));
    if (flags & WS_MSG_PEEK) {
        std::copy_n(FHeld.Data().data(), count, static_cast<char*>(buffer));
        return static_cast<int>(count);
    }
    count = FHeld.Take(static_cast<char*>(buffer), count);
    if (FLineReceivedFlag)
        FLineLength -= count;
    return static_cast<int>(count);
}
