#include "core/TempFolder.h"
#include "platform/services/MediaPlayer.h"
#include <gtest/gtest.h>
#include <cstdint>

namespace {

void Put16(std::string& s, std::uint16_t v) { s += char(v & 0xFF); s += char(v >> 8); }
void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF); Put16(s, v >> 16); }

// A quarter second of a 440 Hz square wave, 8 kHz mono 16-bit PCM.
std::string SmallWave()
{
    std::string pcm;
    for (int i = 0; i < 2000; ++i)
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
