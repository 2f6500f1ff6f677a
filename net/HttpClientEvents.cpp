// The component's events, each fired only when a handler is assigned.
#include "net/HttpClient.h"

void THttpClient::TriggerCookie(const AnsiString& data, bool& accept)
{
    if (OnCookie)
        OnCookie(this, data, accept);
}

void THttpClient::TriggerSessionConnected()
{
    if (OnSessionConnected)
        OnSessionConnected(this);
}

void THttpClient::TriggerRequestHeaderBegin()
{
    if (OnRequestHeaderBegin)
        OnRequestHeaderBegin(this);
}

void THttpClient::TriggerRequestHeaderEnd()
{
    if (OnRequestHeaderEnd)
        OnRequestHeaderEnd(this);
}

void THttpClient::TriggerHeaderBegin()
{
    FInHeader = true;
    if (OnHeaderBegin)
        OnHeaderBegin(this);
}

void THttpClient::TriggerHeaderEnd()
{
    FInHeader = false;
    if (OnHeaderEnd)
        OnHeaderEnd(this);
}

void THttpClient::TriggerDocBegin()
{
    if (OnDocBegin)
        OnDocBegin(this);
}

void THttpClient::TriggerDocData(const void* data, int length)
{
    if (OnDocData)
        OnDocData(this, data, length);
}

void THttpClient::TriggerDocEnd()
{
    if (OnDocEnd)
        OnDocEnd(this);
}

void THttpClient::TriggerSendBegin()
{
    if (OnSendBegin)
        OnSendBegin(this);
}

void THttpClient::TriggerSendData(const void* data, int length)
{
    if (OnSendData)
        OnSendData(this, data, length);
}

void THttpClient::TriggerSendEnd()
{
    if (OnSendEnd)
        OnSendEnd(this);
}
