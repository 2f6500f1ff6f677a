#include "platform/services/MediaPlayer.h"
#include "platform/core/Files.h"
#include "platform/services/MediaBackend.h"
#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPointer>
#include <QUrl>

namespace {

// Qt's FFmpeg renderer writes into the audio sink's device without checking that the sink
// opened; with no audio device that device is null and the process dies in the audio thread.
bool AudioDeviceExists()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

} // namespace

struct TMediaPlayer::Impl {
    // Under the application object, so Qt frees it before the audio system goes away.
    QPointer<QMediaPlayer> player;
    bool open = false;
    // Opened with no audio device: the file was checked but is never handed to an output, so
    // playing it ends at once, as a silent sound would.
    bool silent = false;

    QMediaPlayer* Player()
    {
        if (!player && QCoreApplication::instance()) {
            PreferMediaBackend();
            player = new QMediaPlayer(QCoreApplication::instance());
            // A backend that finds the file unplayable only while playing closes it as a failed
            // open would. Queued: some backends report from inside setSource.
            QObject::connect(player, &QMediaPlayer::errorOccurred, player, [this] {
                if (player->error() != QMediaPlayer::NoError) {
                    open = false;
                    player->stop();
                }
            }, Qt::QueuedConnection);
        }
        return player;
    }

    // Called with no source set: an output joins or leaves only between files.
    void ChooseOutput()
    {
        silent = !AudioDeviceExists();
        if (silent) {
            if (QAudioOutput* output = player->audioOutput()) {
                player->setAudioOutput(nullptr);
                delete output;
            }
        } else if (!player->audioOutput()) {
            player->setAudioOutput(new QAudioOutput(player));
        }
    }

    void Reset()
    {
        open = false;
        if (player) {
            player->stop();
            player->setSource(QUrl());
        }
    }
};

TMediaPlayer::TMediaPlayer(TComponent* owner) : TComponent(owner), FImpl(std::make_unique<Impl>()) {}

TMediaPlayer::~TMediaPlayer()
{
    if (FImpl->player)
        delete FImpl->player.data();
}

void TMediaPlayer::Open()
{
    FImpl->Reset();
    if (FFileName.empty() || !FileExists(FFileName))
        throw EMCIDeviceError("Cannot find the sound file " + FFileName);
    QMediaPlayer* player = FImpl->Player();
    if (!player)
        throw EMCIDeviceError("No media player is available");
    FImpl->ChooseOutput();
    player->setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(ToSystemPath(FFileName)))));
    if (player->error() != QMediaPlayer::NoError || player->mediaStatus() == QMediaPlayer::InvalidMedia) {
        FImpl->Reset();
        throw EMCIDeviceError("Cannot play the sound file " + FFileName);
    }
    FImpl->open = true;
}

void TMediaPlayer::Play()
{
    if (!FImpl->open || !FImpl->player)
        throw EMCIDeviceError("The media player is not open");
    if (FImpl->silent)
        return;
    FImpl->player->setPosition(0);
    FImpl->player->play();
}

void TMediaPlayer::Stop()
{
    if (FImpl->open && FImpl->player)
        FImpl->player->stop();
}

void TMediaPlayer::Close()
{
    FImpl->Reset();
}

TMPModes TMediaPlayer::Mode() const
{
    if (!FImpl->open || !FImpl->player)
        return TMPModes::mpNotReady;
    if (FImpl->player->playbackState() == QMediaPlayer::PlayingState
        && FImpl->player->mediaStatus() != QMediaPlayer::EndOfMedia)
        return TMPModes::mpPlaying;
    return TMPModes::mpStopped;
}
