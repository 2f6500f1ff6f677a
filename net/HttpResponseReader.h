// Turns the bytes of one response into header lines, the end of the header and body chunks.
// The socket reads straight into the reader's buffer (FreeSpace, Received); the client hears of
// each step through HttpResponseListener and decides what follows.
#pragma once
#include "net/HttpLineBuffer.h"
#include "net/HttpResponse.h"
#include <cstddef>
#include <cstdint>

class HttpResponseListener {
public:
    virtual ~HttpResponseListener() = default;
    // The first header line of the response has arrived.
    virtual void ResponseHeaderBegin() = 0;
    // A non-empty header line, already applied to the fields (name and value empty for a status
    // line or a line without ':').
    virtual void ResponseHeaderLine(const AnsiString& line, const AnsiString& name, const AnsiString& value) = 0;
    // The header is over: at its empty line, or at a "<HTML>" line of a reply without a header.
    // True lets the body follow; false ends reading (the listener has stopped or redirected).
    virtual bool ResponseHeaderComplete(bool headerless) = 0;
    virtual void ResponseBody(const char* data, int length) = 0;
    // The header cannot be read (code 4): the reader has stopped.
    virtual void ResponseFailed(std::uint16_t code, const AnsiString& reason) = 0;
};

class HttpResponseReader {
public:
    // The whole header, its lines added up, may not exceed this.
    static constexpr int kMaxHeaderBytes = 64 * 1024;

    HttpResponseReader(HttpResponseFields& fields, HttpResponseListener& listener)
        : FFields(fields), FListener(listener) {}

    // A new response on a new connection: nothing of an earlier one is kept.
    void Start();
    // Nothing more of this response is handed on.
    void Stop();
    bool Reading() const { return FMode != Mode::Stopped; }
    bool InBody() const { return FMode == Mode::Body; }
    bool InHeader() const { return FMode == Mode::Header; }

    char* FreeSpace(int& length) { return FBuffer.FreeSpace(length); }
    void Received(int count);
    // Copies bytes in as reads of at most the buffer's size would deliver them.
    void Feed(const char* data, std::size_t size);

private:
    enum class Mode { Stopped, Header, Body };
    void ReadHeaderLines();
    // Returns false when reading must end.
    bool HandleHeaderLine(const AnsiString& line, int raw);
    void PassRestAsBody(int back);
    void Fail(const AnsiString& reason);

    HttpResponseFields& FFields;
    HttpResponseListener& FListener;
    HttpLineBuffer FBuffer;
    Mode FMode = Mode::Stopped;
    int FHeaderLines = 0;
    int FHeaderBytes = 0;
};
