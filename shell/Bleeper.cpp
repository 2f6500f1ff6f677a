#include "shell/Bleeper.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "platform/services/ToneSink.h"
#include <QCoreApplication>
#include <chrono>
#include <thread>

bool NTFamily = true;

namespace {

constexpr double kTimerClock = 1193181.0;
constexpr std::uint16_t kHighestFreq = 20000;

struct Tone {
    std::uint16_t freq;
    std::int32_t msecs;
};

constexpr Tone kTune0[] = {{1047, 100}, {1109, 100}, {1175, 100}};
constexpr Tone kTune1[] = {{2093, 100}, {1976, 100}, {1857, 100}};
constexpr Tone kTune2[] = {{40, 500}};

// The platform's tone routine of the NT family. It never blocks for the length of -1 (the
// unsigned maximum, about 49 days): that tone sounds until NoSound.
void PlatformBeep(std::uint16_t freq, std::int32_t msecs)
{
    Tones().StartTone(freq);
    if (msecs < 0)
        return;
    Delay(msecs);
    Tones().StopTone();
}

template <std::size_t N>
void PlayTune(const Tone (&tones)[N])
{
    for (const Tone& tone : tones)
        Bleep(tone.freq, tone.msecs);
}

} // namespace

void Bleep(std::uint16_t Freq, std::int32_t MSecs)
{
    if (MSecs < -1)
        throw ERangeError("Bleeper: MSecs < -1");
    const std::uint16_t lowest = NTFamily ? 37 : 20;
    if (Freq < lowest)
        throw ERangeError("Bleeper: Freq < " + IntToStr(lowest));
    if (Freq > kHighestFreq)
        throw ERangeError("Bleeper: Freq > 20000");
    if (NTFamily)
        PlatformBeep(Freq, MSecs);
    else
        SoundFor(Freq, MSecs);
}

void BleepTune(std::uint8_t kind)
{
    switch (kind) {
    case 0: PlayTune(kTune0); break;
    case 1: PlayTune(kTune1); break;
    case 2: PlayTune(kTune2); break;
    default: break;
    }
}

void Sound(std::uint16_t divisor)
{
    // The timer chip counts a divisor of 0 as 65536.
    Tones().StartTone(kTimerClock / (divisor == 0 ? 65536.0 : divisor));
}

void NoSound()
{
    Tones().StopTone();
}

void SoundFor(std::uint16_t Freq, std::int32_t MSecs)
{
    Sound(static_cast<std::uint16_t>(static_cast<unsigned>(kTimerClock) / (Freq == 0 ? 1 : Freq)));
    if (MSecs >= 0) {
        Delay(MSecs);
        NoSound();
    }
}

void Delay(std::int32_t MSecs)
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(MSecs);
    if (!Application || !QCoreApplication::instance()) {
        std::this_thread::sleep_until(end);
        return;
    }
    // The timer only wakes the loop at the end; any other message wakes it sooner.
    TTimer wake(nullptr);
    wake.OnTimer = [](TObject*) {};
    for (auto now = Clock::now(); now < end && !Application->Terminated(); now = Clock::now()) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
        wake.SetEnabled(false);
        wake.SetInterval(static_cast<unsigned>(left));
        wake.SetEnabled(true);
        Application->HandleMessage();
    }
}
