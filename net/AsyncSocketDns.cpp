// Name look-ups: forward (name to addresses) and reverse (address to name), both asynchronous,
// answered through the hidden window.
#include "net/CustomAsyncSocket.h"
#include <cstring>

using namespace winsock;

bool TCustomAsyncSocket::BeginLookup(const AnsiString& name, std::size_t longest, const char* refusal)
{
    if (name.empty() || name.size() > longest) {
        RaiseException(refusal);
        TriggerDnsLookupDone(WSAEINVAL);
        return false;
    }
    if (FLookupHandle) {
        AsyncSocket_WSACancelAsyncRequest(FLookupHandle);
        FLookupHandle = 0;
    }
    FDnsResult.clear();
    FDnsResultList->Clear();
    return true;
}

void TCustomAsyncSocket::DnsLookup(const AnsiString& hostName)
{
    if (!BeginLookup(hostName, AnsiString::npos, "DNS lookup: invalid host name."))
        return;
    u_long address = AsyncSocket_inet_addr(hostName.c_str());
    if (address != WS_INADDR_NONE) {
        in_addr dotted {};
        dotted.s_addr = static_cast<std::uint32_t>(address);
        FDnsResult = AsyncSocket_inet_ntoa(dotted);
        TriggerDnsLookupDone(0);
        return;
    }
    FEarlyReplyPending = false;
    FLookupHandle = AsyncSocket_WSAAsyncGetHostByName(FWindowHandle, WM_ASYNCGETHOSTBYNAME, hostName.c_str(),
                                                      FLookupBuffer, sizeof FLookupBuffer);
    if (FLookupHandle == 0) {
        RaiseException(hostName + ": can't start DNS lookup, error #" + std::to_string(AsyncSocket_WSAGetLastError()));
        return;
    }
    if (FEarlyReplyPending) {
        FEarlyReplyPending = false;
        HandleHostByName(FEarlyReply);
    }
}

void TCustomAsyncSocket::HandleHostByName(const TMessage& msg)
{
    if (FLookupHandle == 0) {
        FEarlyReply = msg;
        FEarlyReplyPending = true;
        return;
    }
    if (msg.WParam != FLookupHandle)
        return;
    FLookupHandle = 0;
    auto error = static_cast<std::uint16_t>(WSAGETASYNCERROR(msg.LParam));
    if (error == 0)
        StoreHostEntry(true);
    TriggerDnsLookupDone(error);
}

void TCustomAsyncSocket::ReverseDnsLookup(const AnsiString& hostAddr)
{
    if (!BeginLookup(hostAddr, 256, "ReverseDnsLookup: Invalid host name."))
        return;
    auto address = static_cast<std::uint32_t>(AsyncSocket_inet_addr(hostAddr.c_str()));
    FLookupHandle = AsyncSocket_WSAAsyncGetHostByAddr(FWindowHandle, WM_ASYNCGETHOSTBYADDR,
                                                      reinterpret_cast<const char*>(&address), 4, AF_INET,
                                                      FLookupBuffer, sizeof FLookupBuffer);
    if (FLookupHandle == 0)
        RaiseException(hostAddr + ": can't start DNS lookup, error #" + std::to_string(AsyncSocket_WSAGetLastError()));
}

void TCustomAsyncSocket::HandleHostByAddr(const TMessage& msg)
{
    if (FLookupHandle == 0 || msg.WParam != FLookupHandle)
        return;
    FLookupHandle = 0;
    auto error = static_cast<std::uint16_t>(WSAGETASYNCERROR(msg.LParam));
    if (error == 0)
        StoreHostEntry(false);
    TriggerDnsLookupDone(error);
}

// Reads the host entry that the look-up wrote into LookupBuffer: every address, or the name.
void TCustomAsyncSocket::StoreHostEntry(bool addresses)
{
    hostent entry;
    std::memcpy(&entry, FLookupBuffer, sizeof entry);
    FDnsResultList->Clear();
    if (!addresses) {
        FDnsResult = entry.h_name ? entry.h_name : "";
        FDnsResultList->Add(FDnsResult);
        return;
    }
    for (char** item = entry.h_addr_list; item && *item; ++item) {
        in_addr address {};
        std::memcpy(&address, *item, 4);
        FDnsResultList->Add(AsyncSocket_inet_ntoa(address));
    }
    if (FDnsResultList->Count() > 0)
        FDnsResult = FDnsResultList->Get(0);
}

void TCustomAsyncSocket::CancelDnsLookup()
{
    if (FLookupHandle == 0)
        return;
    if (AsyncSocket_WSACancelAsyncRequest(FLookupHandle) != 0) {
        FLookupHandle = 0;
        SocketError("WSACancelAsyncRequest");
        return;
    }
    FLookupHandle = 0;
    if (!Destroying())
        TriggerDnsLookupDone(WSAEINTR);
}
