// A fuzz target's check of what must hold for any input: a broken one stops the run where it
// broke, as a crash would, so the fuzzer keeps the input.
#pragma once

inline void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}
