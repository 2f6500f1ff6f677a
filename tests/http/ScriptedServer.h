// A tiny HTTP server on 127.0.0.1 for the client's tests. It runs on its own thread, takes one
// connection at a time, keeps the bytes of every request it receives, and answers each with the
// next scripted reply (the last one repeats). Every wait is bounded, so a test that goes wrong
// fails instead of hanging.
#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ScriptedReply {
    enum class End { Close, Reset, Hold, Endless };

    std::string bytes;          // sent as they are
    End end = End::Close;       // after the bytes: close, reset, keep the connection open, or
                                // send filler until the client goes
    int pieces = 1;             // sent in this many parts...
    int pauseMs = 0;            // ...with this pause between them
    int pauseBeforeEndMs = 0;   // a pause after the bytes, before the end
    bool readRequest = true;    // false: answer before reading anything

    static ScriptedReply Status(int code, const std::string& reason, const std::string& body,
                                const std::string& extraHeader = "");
};

class ScriptedServer {
public:
    ScriptedServer();
    ~ScriptedServer();

    int Port() const { return FPort; }
    std::string Url(const std::string& path) const;
    void Script(std::vector<ScriptedReply> replies);
    // Raw bytes of each request received so far, in order.
    std::vector<std::string> Requests();
    int Connections() const { return FConnections; }
    // Filler bytes sent after the script's bytes of an endless reply so far.
    std::int64_t FillerSent() const { return FFillerSent; }

private:
    void Run();
    void Serve(int connection);
    std::string ReadRequest(int connection);
    void Send(int connection, const ScriptedReply& reply);
    void SendUntilTheClientGoes(int connection);

    int FListener = -1;
    int FPort = 0;
    std::atomic<bool> FStopping{false};
    std::atomic<int> FConnections{0};
    std::atomic<std::int64_t> FFillerSent{0};
    std::mutex FMutex;
    std::deque<ScriptedReply> FScript;
    std::vector<std::string> FRequests;
    std::thread FThread;
};
