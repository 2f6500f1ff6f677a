#include "platform/services/MediaPlayer.h"
#include "platform/core/Files.h"
#include "platform/services/MediaEngine.h"

struct TMediaPlayer::Impl {
    std::unique_ptr<MediaFilePlayer> player; // made at the first Open
};

TMediaPlayer::TMediaPlayer(TComponent* owner) : TComponent(owner), FImpl(std::make_unique<Impl>()) {}

TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::Open()
{
    if (FImpl->player)
        FImpl->player->Close();
    if (FFileName.empty() || !FileExists(FFileName))
        throw EMCIDeviceError("Cannot find the sound file " + FFileName);
    if (!FImpl->player)
        FImpl->player = CreateMediaFilePlayer();
    const MediaFilePlayer::Opening opening =
        FImpl->player ? FImpl->player->Open(ToSystemPath(FFileName)) : MediaFilePlayer::Opening::NoPlayer;
    if (opening == MediaFilePlayer::Opening::NoPlayer)
        throw EMCIDeviceError("No media player is available");
    if (opening == MediaFilePlayer::Opening::CannotPlay)
        throw EMCIDeviceError("Cannot play the sound file " + FFileName);
}

void TMediaPlayer::Play()
{
    if (!FImpl->player || !FImpl->player->IsOpen())
        throw EMCIDeviceError("The media player is not open");
    FImpl->player->Play();
}

void TMediaPlayer::Stop()
{
    if (FImpl->player)
        FImpl->player->Stop();
}

void TMediaPlayer::Close()
{
    if (FImpl->player)
        FImpl->player->Close();
}

TMPModes TMediaPlayer::Mode() const
{
    if (!FImpl->player || !FImpl->player->IsOpen())
        return TMPModes::mpNotReady;
    return FImpl->player->Playing() ? TMPModes::mpPlaying : TMPModes::mpStopped;
}
