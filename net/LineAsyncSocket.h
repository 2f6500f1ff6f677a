// TCustomLineAsyncSocket: with LineMode on, received data is held until a whole line (ending in
// LineEnd) is in and handed to OnDataAvailable one line at a time.
#pragma once
#include "net/LineBuffer.h"
#include "net/SocksAsyncSocket.h"

using TLineLimitExceeded = std::function<void(TObject* Sender, int RcvdLength, bool& ClearData)>;

constexpr UINT WM_LINE_DELIVER = WM_USER + 20;

class TCustomLineAsyncSocket : public TCustomSocksAsyncSocket {
public:
    using TCustomSocksAsyncSocket::TCustomSocksAsyncSocket;

    bool LineMode() const { return FLineMode; }
    virtual void SetLineMode(bool value);
    const AnsiString& LineEnd() const { return FLineEnd; }
    void SetLineEnd(const AnsiString& value) { FLineEnd = value; }
    int LineLimit() const { return FLineLimit; }
    void SetLineLimit(int value) { FLineLimit = value; }
    bool LineEcho() const { return FLineEcho; }
    void SetLineEcho(bool value) { FLineEcho = value; }
    bool LineEdit() const { return FLineEdit; }
    void SetLineEdit(bool value) { FLineEdit = value; }

    TLineLimitExceeded OnLineLimitExceeded;

protected:
    void WndProc(TMessage& msg) override;
    int GetRcvdCount() override;
    int DoRecv(void* buffer, int length, int flags) override;
    bool TriggerDataAvailable(std::uint16_t error) override;
    void TriggerSessionClosed(std::uint16_t error) override;
    virtual void TriggerLineLimitExceeded(int count, bool& clearData);
    // Line editing of the bytes from `from` on, with the echo when LineEcho is set.
    virtual void EditLine(std::size_t from);

private:
    bool ReceiveIntoBuffer();
    void DeliverLines(std::size_t searchFrom);
    // Hands the first `length` held bytes to the owner; false when the owner took none of them.
    bool DeliverLine(std::size_t length);
    void CheckLineLimit();
    void DeliverHeld();
    void Echo(const AnsiString& bytes);

    bool FLineMode = false;
    AnsiString FLineEnd = "\r\n";
    int FLineLimit = 65536;
    bool FLineEcho = false;
    bool FLineEdit = false;
    LineBuffer FHeld;
    std::size_t FLineLength = 0;   // bytes of the line being delivered still to hand out
    bool FLineReceivedFlag = false; // a line is being delivered: reads serve only its bytes
    bool FStalled = false;          // the owner left a complete line unread
    bool FLineClearData = false;
};
