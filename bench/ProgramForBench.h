// The program's own start-up steps, run once, for benchmarks of its windows in-process; a box
// that nobody answers ends the benchmark, since it would mean the measurement is wrong.
#pragma once
#include "app/ProgramMain.h"
#include "bench/QtForBench.h"
#include "platform/forms/Modal.h"
#include <cstdio>
#include <cstdlib>

inline void EnsureProgramInitialized()
{
    EnsureQt();
    static const bool prepared = [] {
        MainInitialization();
        SetUnansweredModalReporter([](const AnsiString& box) {
            std::fprintf(stderr, "unexpected box: %s\n", box.c_str());
            std::abort();
        });
        return true;
    }();
    (void)prepared;
}
