// TCustomSocksAsyncSocket: connects through a SOCKS 4, 4A or 5 proxy when SocksServer is set;
// without one every operation is the plain socket's.
#pragma once
#include "net/CustomAsyncSocket.h"
#include "net/SocksProtocol.h"
#include <vector>

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };

// 0 authentication started, 1 succeeded, 2 connection closed while authenticating,
// 3 not required by the server.
using TSocksAuthStateEvent = std::function<void(TObject* Sender, int AuthState)>;
using TSocksErrorEvent = std::function<void(TObject* Sender, int Error, const AnsiString& Msg)>;

class TCustomSocksAsyncSocket : public TCustomAsyncSocket {
public:
    using TCustomAsyncSocket::TCustomAsyncSocket;

    const AnsiString& SocksLevel() const { return FSocksLevel; }
    void SetSocksLevel(const AnsiString& value);
    const AnsiString& SocksServer() const { return FSocksServer; }
    virtual void SetSocksServer(const AnsiString& value);
    const AnsiString& SocksPort() const { return FSocksPort; }
    virtual void SetSocksPort(const AnsiString& value);
    const AnsiString& SocksUsercode() const { return FSocksUsercode; }
    void SetSocksUsercode(const AnsiString& value) { FSocksUsercode = value; }
    const AnsiString& SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const AnsiString& value) { FSocksPassword = value; }
    TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
    void SetSocksAuthentication(TSocksAuthentication value) { FSocksAuthentication = value; }
    // Where the proxy bound the connection, from its reply.
    const AnsiString& BoundAddr() const { return FBoundAddr; }
    const AnsiString& BoundPort() const { return FBoundPort; }

    void Connect() override;
    void Listen() override;

    TSessionConnected OnSocksConnected;
    TSocksErrorEvent OnSocksError;
    TSocksAuthStateEvent OnSocksAuthState;

protected:
    void AssignDefaultValue() override;
    void TriggerSessionConnected(std::uint16_t error) override;
    void TriggerSessionClosed(std::uint16_t error) override;
    bool TriggerDataAvailable(std::uint16_t error) override;
    int GetRcvdCount() override;
    int DoRecv(void* buffer, int length, int flags) override;
    virtual void TriggerSocksConnected(std::uint16_t error);
    virtual void TriggerSocksError(int error, const AnsiString& message);
    // True while the proxy conversation runs; data then belongs to it, not to the owner.
    bool SocksNegotiating() const { return FSocksServerGiven && FSocksState != kIdle; }

private:
    enum NegotiationState { kIdle = 0, kWaitMethod = 1, kAuthenticating = 2, kRequestSent = 3 };
    void ReadNegotiation();
    void HandleReply();
    void Authenticate();
    void SendRequest();
    void Granted(std::size_t replyLength);
    void SocksFail(int error, const AnsiString& message);
    void AuthState(int state);
    bool IsLevel4() const { return !FSocksLevel.empty() && FSocksLevel[0] == '4'; }

    AnsiString FSocksLevel = "5";
    AnsiString FSocksServer;
    AnsiString FSocksPort;
    AnsiString FSocksUsercode;
    AnsiString FSocksPassword;
    TSocksAuthentication FSocksAuthentication = socksNoAuthentication;
    bool FSocksServerGiven = false;
    bool FProxyConnecting = false; // the connection to the proxy itself is not yet reported
    bool FSocksPortGiven = false;
    NegotiationState FSocksState = kIdle;
    int FSocksMethod = 0;
    std::uint16_t FSocksDestPort = 0;
    std::uint8_t FRcvBuf[socks::kReplyCapacity] {};
    std::size_t FRcvCnt = 0;
    AnsiString FBoundAddr;
    AnsiString FBoundPort;
    std::vector<char> FLeftover;
};
