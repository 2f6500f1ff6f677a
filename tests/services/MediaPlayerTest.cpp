#include "core/TempFolder.h"
#include "platform/services/MediaPlayer.h"
#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <gtest/gtest.h>
#include <cstdint>
#include <memory>

namespace {

void Put16(std::string& s, std::uint16_t v) { s += char(v & 0xFF); s += char(v >> 8); }
void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF); Put16(s, v >> 16); }

// A 440 Hz square wave, 8 kHz mono 16-bit PCM; a quarter second unless asked otherwise.
std::string SmallWave(int samples = 2000)
{
    std::string pcm;
    for (int i = 0; i < samples; ++i)
        Put16(pcm, (i / 9) % 2 ? 0x2000 : 0xE000);
    std::string wav = "RIFF";
    Put32(wav, 36 + static_cast<std::uint32_t>(pcm.size()));
    wav += "WAVEfmt ";
    Put32(wav, 16);
    Put16(wav, 1);
    Put16(wav, 1);
    Put32(wav, 8000);
    Put32(wav, 16000);
    Put16(wav, 2);
    Put16(wav, 16);
    wav += "data";
    Put32(wav, static_cast<std::uint32_t>(pcm.size()));
    return wav + pcm;
}

bool AudioDeviceExists() { return !QMediaDevices::defaultAudioOutput().isNull(); }

// Hands the audio threads time to run: without a device they used to fail within a moment.
void RunEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void RunEventsUntilOver(const TMediaPlayer& player)
{
    QElapsedTimer clock;
    clock.start();
    while (player.Mode() == TMPModes::mpPlaying && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST(MediaPlayer, MissingAndUnplayableFilesFailToOpenAlike)
{
    TempFolder folder;
    TMediaPlayer player(nullptr);
    player.SetFileName(folder / "missing.wav");
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);

    TempFolder::Write(folder / "text.wav", std::string(400, 'x'));
    player.SetFileName(folder / "text.wav");
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
    EXPECT_THROW(player.Play(), EMCIDeviceError);

    player.SetFileName("");
    EXPECT_THROW(player.Open(), EMCIDeviceError);
}

TEST(MediaPlayer, APlayableFileOpensPlaysAndStops)
{
    TempFolder folder;
    TempFolder::Write(folder / "tone.wav", SmallWave());
    TMediaPlayer player(nullptr);
    player.SetFileName(folder / "tone.wav");
    ASSERT_NO_THROW(player.Open());
    EXPECT_NE(player.Mode(), TMPModes::mpNotReady);
    EXPECT_NO_THROW(player.Play());
    player.Stop();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    player.Close();
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
}

// Paths are Windows-1252 in the program and UTF-8 on disk: a sound file chosen in a folder or
// under a name with Finnish letters opens as any other.
TEST(MediaPlayer, AFileNamedWithFinnishLettersOpensAndPlays)
{
    TempFolder folder;
    TempFolder::Write(folder / "h\xC3\xA4lytys #1.wav", SmallWave()); // "hälytys #1.wav" as the disk names it
    TMediaPlayer player(nullptr);
    player.SetFileName(folder / "h\xE4lytys #1.wav");
    ASSERT_NO_THROW(player.Open());
    EXPECT_NO_THROW(player.Play());
    player.Stop();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
}

TEST(MediaPlayer, ASoundPlaysToItsEndAndPlaysAgain)
{
    TempFolder folder;
    TempFolder::Write(folder / "tone.wav", SmallWave(4000));
    TMediaPlayer player(nullptr);
    player.SetFileName(folder / "tone.wav");
    ASSERT_NO_THROW(player.Open());
    for (int round = 0; round < 2; ++round) {
        ASSERT_NO_THROW(player.Play());
        if (!AudioDeviceExists()) {
            EXPECT_EQ(player.Mode(), TMPModes::mpStopped) << "with no audio device the sound is over at once";
        }
        RunEventsFor(700);
        RunEventsUntilOver(player);
        EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    }
    player.Close();
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
}

TEST(MediaPlayer, ALongSoundStopsClosesAndGoesWhilePlaying)
{
    TempFolder folder;
    TempFolder::Write(folder / "long.wav", SmallWave(8000 * 20));
    TMediaPlayer player(nullptr);
    player.SetFileName(folder / "long.wav");
    ASSERT_NO_THROW(player.Open());
    player.Play();
    RunEventsFor(500);
    player.Stop();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    player.Play();
    RunEventsFor(300);
    player.Close();
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
    EXPECT_THROW(player.Play(), EMCIDeviceError);
    RunEventsFor(200);

    // A player freed in mid-sound takes its audio threads with it.
    auto second = std::make_unique<TMediaPlayer>(nullptr);
    second->SetFileName(folder / "long.wav");
    ASSERT_NO_THROW(second->Open());
    second->Play();
    RunEventsFor(300);
    second.reset();
    RunEventsFor(300);
}
