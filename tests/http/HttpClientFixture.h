// A client set up as the main window sets it, a scripted server, and helpers to run a request
// and see what it raised.
#pragma once
#include "http/ScriptedServer.h"
#include "net/HttpClient.h"
#include "net/MessageWait.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class HttpClientTest : public ::testing::Test {
protected:
    HttpClientTest()
    {
        http->Agent = "QEX 2000 (Kelvaro - WINXP)";
        http->Reference = "-";
        http->NoCache = true;
        http->ModifiedSince = 29585;
        // Any test that goes wrong ends within seconds instead of hanging.
        http->SetInactivityTimeout(5000);
        http->RcvdStream = &received;
    }

    // Runs a request into an emptied stream and returns the exception's text and code, or ""
    // and 0.
    struct Outcome {
        std::string message;
        int code = 0;
    };
    Outcome Run(THttpRequest kind = httpGET)
    {
        received.Clear();
        try {
            http->DoRequestSync(kind);
        } catch (const EHttpException& e) {
            return {e.Message, e.ErrorCode};
        }
        return {};
    }

    std::string Body() const { return received.Bytes(); }
    // Runs the message loop, as an asynchronous request needs, until done() holds; false when
    // half a minute passed first.
    static bool WaitFor(const std::function<bool()>& done)
    {
        const std::int64_t deadline = MonotonicMs() + 30000;
        while (!done() && MonotonicMs() < deadline)
            WaitForMessageUntil(deadline);
        return done();
    }
    // Records the order of the client's events as short names.
    void RecordEvents();

    std::unique_ptr<THttpClient> http = std::make_unique<THttpClient>(nullptr);
    ScriptedServer server;
    TMemoryStream received;
    std::vector<std::string> events;
};

inline void HttpClientTest::RecordEvents()
{
    auto note = [this](const char* name) { return [this, name](TObject*) { events.push_back(name); }; };
    http->OnSessionConnected = note("SessionConnected");
    http->OnRequestHeaderBegin = note("RequestHeaderBegin");
    http->OnRequestHeaderEnd = note("RequestHeaderEnd");
    http->OnHeaderBegin = note("HeaderBegin");
    http->OnHeaderData = note("HeaderData");
    http->OnHeaderEnd = note("HeaderEnd");
    http->OnDocBegin = note("DocBegin");
    http->OnDocEnd = note("DocEnd");
    http->OnSendBegin = note("SendBegin");
    http->OnSendEnd = note("SendEnd");
    http->OnLocationChange = note("LocationChange");
    http->OnDocData = [this](TObject*, const void*, int) { events.push_back("DocData"); };
    http->OnSendData = [this](TObject*, const void*, int) { events.push_back("SendData"); };
    http->OnStateChange = [this](TObject*) { events.push_back("State" + std::to_string(http->State())); };
    http->OnRequestDone = [this](TObject*, THttpRequest, std::uint16_t error) {
        events.push_back("RequestDone" + std::to_string(error));
    };
}
