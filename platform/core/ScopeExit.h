// Runs a clean-up when the scope that holds it ends, on every way out, so a routine that must give
// something back (a flag, a cursor, an open document) writes that clean-up once.
#pragma once
#include <exception>
#include <utility>

template <class CleanUp>
class ScopeExit {
public:
    explicit ScopeExit(CleanUp cleanUp) : FCleanUp(std::move(cleanUp)) {}

    // On a normal way out a failing clean-up reaches the caller, as it would written out by hand.
    // While another failure is already on its way the clean-up's own is dropped: that first
    // failure is the one to report, and a second one in flight would end the program.
    ~ScopeExit() noexcept(false)
    {
        if (std::uncaught_exceptions() == FFailuresAtStart) {
            FCleanUp();
            return;
        }
        try {
            FCleanUp();
        } catch (...) {
        }
    }

    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    CleanUp FCleanUp;
    int FFailuresAtStart = std::uncaught_exceptions();
};
