// Waiting that keeps the message queue running without spinning the CPU.
#pragma once
#include <cstdint>

// Milliseconds on a clock that never jumps or wraps.
std::int64_t MonotonicMs();
// Handles what is queued now and returns without waiting.
void ProcessPendingMessages();
// Handles what is queued, sleeping until at least one event arrives but never past `deadlineMs`
// (no deadline when negative). Returns at once when the application is terminating.
void WaitForMessageUntil(std::int64_t deadlineMs);
