// TCustomAsyncSocket: an event-driven TCP or UDP socket. The socket is non-blocking; its network
// events and name look-ups arrive as messages to a hidden window of its own and become events on
// the UI thread. Data to send is queued in TBuffer blocks and written as the network takes it.
//
// Create through CreateSocket<T>(owner) (see AsyncSocket.h): the hidden window and the defaults
// are set up after construction, so that the most derived class's AssignDefaultValue runs.
#pragma once
#include "net/SendBuf.h"
#include "net/SocketErrors.h"
#include "net/WinsockBinding.h"
#include "platform/core/Component.h"
#include "platform/core/Strings.h"
#include "platform/messages/Messages.h"
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

enum TSocketState { wsInvalidState, wsOpened, wsBound, wsConnecting, wsConnected, wsAccepting, wsListening, wsClosed };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
// A set of options: combine with |.
enum TAsyncSocketOption : unsigned { wsoNoReceiveLoop = 1, wsoTcpNoDelay = 2 };
using TAsyncSocketOptions = unsigned;

using TDataAvailable = std::function<void(TObject* Sender, std::uint16_t Error)>;
using TDataSent = std::function<void(TObject* Sender, std::uint16_t Error)>;
using TSessionClosed = std::function<void(TObject* Sender, std::uint16_t Error)>;
using TSessionAvailable = std::function<void(TObject* Sender, std::uint16_t Error)>;
using TSessionConnected = std::function<void(TObject* Sender, std::uint16_t Error)>;
using TDnsLookupDone = std::function<void(TObject* Sender, std::uint16_t Error)>;
using TSendData = std::function<void(TObject* Sender, int BytesSent)>;
using TChangeState = std::function<void(TObject* Sender, TSocketState OldState, TSocketState NewState)>;
using TBgExceptionEvent = std::function<void(TObject* Sender, const Exception& E, bool& CanClose)>;

constexpr UINT WM_ASYNCSELECT = WM_USER + 1;
constexpr UINT WM_ASYNCGETHOSTBYNAME = WM_USER + 2;
constexpr UINT WM_ASYNCGETHOSTBYADDR = WM_USER + 3;
constexpr UINT WM_CLOSE_DELAYED = WM_USER + 4;
constexpr UINT WM_WSOCKET_RELEASE = WM_USER + 5;
constexpr UINT WM_TRIGGER_EXCEPTION = WM_USER + 6;

class TCustomAsyncSocket : public TComponent {
public:
    explicit TCustomAsyncSocket(TComponent* AOwner);
    ~TCustomAsyncSocket() override;
    // Second phase of creation: the hidden window and AssignDefaultValue of the most derived class.
    virtual void AfterConstruction();

    // Addresses (only while closed); Addr and Port must be given again after every close.
    const AnsiString& Addr() const { return FAddrText; }
    void SetAddr(const AnsiString& value);
    const AnsiString& Port() const { return FPortText; }
    virtual void SetPort(const AnsiString& value);
    const AnsiString& Proto() const { return FProtoText; }
    virtual void SetProto(const AnsiString& value);
    const AnsiString& LocalAddr() const { return FLocalAddr; }
    void SetLocalAddr(const AnsiString& value);
    const AnsiString& LocalPort() const { return FLocalPortText; }
    void SetLocalPort(const AnsiString& value);
    AnsiString PeerAddr() { return GetPeerAddr(); }
    AnsiString PeerPort() { return GetPeerPort(); }

    const AnsiString& DnsResult() const { return FDnsResult; }
    TStrings* DnsResultList() const { return FDnsResultList.get(); }
    TSocketState State() const { return FState; }
    int ReadCount() const { return FReadCount; }
    int RcvdCount() { return GetRcvdCount(); }
    int LastError() const { return FLastError; }
    SOCKET HSocket() const { return FHSocket; }
    HWND Handle() const { return FWindowHandle; }
    SOCKET AcceptedHandle() const { return FAcceptedHandle; }
    bool AllSent() const { return FQueueEmpty; }
    int BufferedByteCount() const;

    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool value) { FMultiThreaded = value; }
    bool MultiCast() const { return FMultiCast; }
    void SetMultiCast(bool value) { FMultiCast = value; }
    const AnsiString& MultiCastAddrStr() const { return FMultiCastAddrStr; }
    void SetMultiCastAddrStr(const AnsiString& value) { FMultiCastAddrStr = value; }
    int MultiCastIpTTL() const { return FMultiCastIpTTL; }
    void SetMultiCastIpTTL(int value) { FMultiCastIpTTL = value; }
    bool ReuseAddr() const { return FReuseAddr; }
    void SetReuseAddr(bool value) { FReuseAddr = value; }
    TAsyncSocketOptions ComponentOptions() const { return FComponentOptions; }
    void SetComponentOptions(TAsyncSocketOptions value) { FComponentOptions = value; }
    int FlushTimeout() const { return FFlushTimeout; }
    void SetFlushTimeout(int seconds) { FFlushTimeout = seconds; }
    TSocketSendFlags SendFlags();
    void SetSendFlags(TSocketSendFlags value);
    TSocketLingerOnOff LingerOnOff() const { return FLingerOnOff; }
    void SetLingerOnOff(TSocketLingerOnOff value) { FLingerOnOff = value; }
    int LingerTimeout() const { return FLingerTimeout; }
    void SetLingerTimeout(int value) { FLingerTimeout = value; }
    int SendBlockSize() const { return FSendBlockSize; }
    void SetSendBlockSize(int value) { FSendBlockSize = value > 0 ? value : 1460; }

    virtual void Connect();
    virtual void Close();
    virtual void CloseDelayed();
    virtual void Release();
    virtual void Abort();
    virtual void Flush();
    virtual void WaitForClose();
    virtual void Listen();
    virtual SOCKET Accept();
    virtual void Dup(SOCKET handle);
    virtual int Receive(void* buffer, int length);
    virtual AnsiString ReceiveStr();
    virtual int ReceiveFrom(void* buffer, int length, winsock::sockaddr_in& from, int& fromLength);
    virtual int Send(const void* data, int length);
    virtual int SendTo(const winsock::sockaddr_in& dest, int destLength, const void* data, int length);
    virtual int SendStr(const AnsiString& text);
    virtual void DnsLookup(const AnsiString& hostName);
    virtual void ReverseDnsLookup(const AnsiString& hostAddr);
    virtual void CancelDnsLookup();
    virtual int GetPeerName(winsock::sockaddr_in& name, int& nameLength);
    virtual int GetSockName(winsock::sockaddr_in& name, int& nameLength);
    virtual AnsiString GetXPort();
    virtual AnsiString GetXAddr();
    virtual void ShutDown(int how);
    virtual int Pause();
    virtual int Resume();
    virtual void MessagePump();
    // The socket's own loop: runs what is queued; a quit request is noted in QuitSeen.
    void ProcessMessages();
    bool QuitSeen() const { return FQuitSeen; }

    // Operations on a pair of 32-bit words, kept for classes built on this one.
    virtual bool IsPairSet(std::uint32_t low, std::uint32_t high) const { return low != 0 || high != 0; }
    virtual void ClearPair(std::uint32_t& low, std::uint32_t& high) const { low = high = 0; }
    virtual bool ComparePair(std::uint32_t a, std::uint32_t b, bool equal) const { return (a == b) == equal; }

    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TSendData OnSendData;
    TSessionClosed OnSessionClosed;
    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TChangeState OnChangeState;
    TNotifyEvent OnLineTooLong;
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    virtual void WndProc(TMessage& msg);
    virtual void AllocateSocketHWnd();
    virtual void DeallocateSocketHWnd();
    virtual void AssignDefaultValue();
    virtual void InternalClose(bool shutDown, std::uint16_t error);
    virtual int GetRcvdCount();
    virtual void BindSocket();
    virtual int RealSend(const char* data, int length);
    virtual void RaiseException(const AnsiString& message);
    virtual void TriggerBgException(const Exception& E);
    // Returns whether a handler took the data.
    virtual bool TriggerDataAvailable(std::uint16_t error);
    virtual void TriggerSessionAvailable(std::uint16_t error);
    virtual void TriggerSessionConnected(std::uint16_t error);
    virtual void TriggerSessionClosed(std::uint16_t error);
    virtual void TriggerDataSent(std::uint16_t error);
    virtual void TriggerChangeState(TSocketState oldState, TSocketState newState);
    virtual void TriggerDnsLookupDone(std::uint16_t error);
    virtual void TriggerError();
    virtual int DoRecv(void* buffer, int length, int flags);
    virtual int DoRecvFrom(void* buffer, int length, winsock::sockaddr_in& from, int& fromLength);
    virtual AnsiString GetPeerAddr();
    virtual AnsiString GetPeerPort();

    void SocketError(const AnsiString& function);
    void ChangeState(TSocketState newState);
    void TryToSend();
    void PutDataInSendBuffer(const void* data, int length);
    void DeleteBufferedData();
    void SetLingerOption();
    void ASyncReceive(std::uint16_t error, TAsyncSocketOptions options);
    bool Destroying() const { return FDestroying; }
    bool HandleValid() const { return FHSocket != winsock::INVALID_SOCKET; }

    // Fields the layers above work with.
    SOCKET FHSocket = winsock::INVALID_SOCKET;
    TSocketState FState = wsClosed;
    winsock::sockaddr_in FRemoteSockAddr {};
    AnsiString FAddrText;
    bool FAddrGiven = false;
    bool FAddrConverted = false;
    AnsiString FPortText;
    bool FPortGiven = false;
    bool FPortConverted = false;
    std::uint16_t FPortNumber = 0;
    AnsiString FProtoText = "tcp";
    bool FProtoGiven = true;
    bool FProtoConverted = false;
    int FProtoNumber = 6;
    int FLastError = 0;

private:
    void HandleAsyncSelect(const TMessage& msg);
    void HandleHostByName(const TMessage& msg);
    void HandleHostByAddr(const TMessage& msg);
    void HandleConnectEvent(std::uint16_t error, bool closeOnError);
    void HandleCloseEvent(std::uint16_t error);
    void StoreHostEntry(bool addresses);
    // Protocol, port and address, each converted once until the next change.
    void ResolveRemote();
    bool PrepareStreamSocket();
    bool PrepareDatagramSocket();
    bool PendingBytes(u_long& count);
    int ReportSent(int count);
    bool LocalAddress(winsock::sockaddr_in& local);
    bool PeerAddress(winsock::sockaddr_in& peer, const char* function);
    // The common start of both look-ups; false when the name was refused.
    bool BeginLookup(const AnsiString& name, std::size_t longest, const char* refusal);
    std::int64_t FlushDeadline() const;
    template <typename Setter>
    void SetWhileClosed(const char* what, Setter set);

    AnsiString FDnsResult;
    std::unique_ptr<TStringList> FDnsResultList;
    SOCKET FAcceptedHandle = winsock::INVALID_SOCKET;
    std::deque<std::unique_ptr<TBuffer>> FSendQueue;
    int FSendBlockSize = 1460;
    int FSendFlagBits = 0;
    HWND FWindowHandle = 0;
    alignas(winsock::hostent) char FLookupBuffer[1025] {};
    HANDLE FLookupHandle = 0;
    bool FEarlyReplyPending = false;
    TMessage FEarlyReply;
    int FAddressFamily = AF_INET;
    AnsiString FLocalPortText = "0";
    bool FLocalPortConverted = false;
    std::uint16_t FLocalPortNumber = 0;
    AnsiString FLocalAddr = "0.0.0.0";
    int FSocketType = SOCK_STREAM;
    TSocketLingerOnOff FLingerOnOff = wsLingerOn;
    int FLingerTimeout = 0;
    bool FQueueEmpty = true;
    int FReadCount = 0;
    bool FEventsPaused = false;
    bool FClosedReported = false;
    int FFlushTimeout = 60;
    bool FMultiThreaded = false;
    bool FMultiCast = false;
    AnsiString FMultiCastAddrStr;
    int FMultiCastIpTTL = 1;
    bool FReuseAddr = false;
    TAsyncSocketOptions FComponentOptions = 0;
    bool FQuitSeen = false;
    long FEventMask = 0;
    bool FDestroying = false;
};
