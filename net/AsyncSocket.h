// TAsyncSocket: the complete socket component (plain, SOCKS, line mode and synchronous wait).
#pragma once
#include "net/SyncAsyncSocket.h"
#include <type_traits>

class TAsyncSocket : public TCustomSyncAsyncSocket {
public:
    using TCustomSyncAsyncSocket::TCustomSyncAsyncSocket;
    static TAsyncSocket* Create(TComponent* AOwner);
};

// Makes a socket of class T in both phases: the constructor, then AfterConstruction, so that the
// hidden window exists and the most derived AssignDefaultValue has run. The owner, when given,
// frees it; otherwise the caller deletes it (or calls Release).
template <typename T>
T* CreateSocket(TComponent* AOwner)
{
    static_assert(std::is_base_of_v<TCustomAsyncSocket, T>);
    auto* socket = new T(AOwner);
    socket->AfterConstruction();
    return socket;
}

inline TAsyncSocket* TAsyncSocket::Create(TComponent* AOwner)
{
    return CreateSocket<TAsyncSocket>(AOwner);
}
