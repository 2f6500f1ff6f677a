#include "platform/services/MediaFilePlayback.h"
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

class MediaFilePlayback : public MediaFilePlayer {
public:
    ~MediaFilePlayback() override
    {
        if (FPlayer)
            delete FPlayer.data();
    }

    Opening Open(const std::string& path) override
    {
        Close();
        QMediaPlayer* player = Player();
        if (!player)
            return Opening::NoPlayer;
        ChooseOutput();
        // The file goes to the backend open, not by its name: the FFmpeg backend opens a file by
        // its URL's encoded form, so a name with a blank or a letter such as "ä" is not found.
        const QString name = QFile::decodeName(QByteArray::fromStdString(path));
        FFile = new QFile(name, player);
        if (!FFile->open(QIODevice::ReadOnly)) {
            Close();
            return Opening::CannotPlay;
        }
        player->setSourceDevice(FFile, QUrl::fromLocalFile(name));
        if (player->error() != QMediaPlayer::NoError || player->mediaStatus() == QMediaPlayer::InvalidMedia) {
            Close();
            return Opening::CannotPlay;
        }
        FOpen = true;
        return Opening::Opened;
    }

    bool IsOpen() const override { return FOpen && FPlayer; }

    void Play() override
    {
        // Opened with no audio device: the file was checked but is never handed to an output, so
        // playing it ends at once, as a silent sound would.
        if (!IsOpen() || FSilent)
            return;
        FPlayer->setPosition(0);
        FPlayer->play();
    }

    void Stop() override
    {
        if (IsOpen())
            FPlayer->stop();
    }

    void Close() override
    {
        FOpen = false;
        if (FPlayer) {
            FPlayer->stop();
            FPlayer->setSource(QUrl());
        }
        // After the backend let go of it.
        delete FFile.data();
    }

    bool Playing() const override
    {
        return IsOpen() && FPlayer->playbackState() == QMediaPlayer::PlayingState &&
               FPlayer->mediaStatus() != QMediaPlayer::EndOfMedia;
    }

private:
    QMediaPlayer* Player()
    {
        if (!FPlayer && QCoreApplication::instance()) {
            PreferMediaBackend();
            FPlayer = new QMediaPlayer(QCoreApplication::instance());
            // A backend that finds the file unplayable only while playing closes it as a failed
            // open would. Queued: some backends report from inside setSource.
            QObject::connect(FPlayer, &QMediaPlayer::errorOccurred, FPlayer, [this] {
                if (FPlayer->error() != QMediaPlayer::NoError) {
                    FOpen = false;
                    FPlayer->stop();
                }
            }, Qt::QueuedConnection);
        }
        return FPlayer;
    }

    // Called with no source set: an output joins or leaves only between files.
    void ChooseOutput()
    {
        FSilent = !AudioDeviceExists();
        if (FSilent) {
            if (QAudioOutput* output = FPlayer->audioOutput()) {
                FPlayer->setAudioOutput(nullptr);
                delete output;
            }
        } else if (!FPlayer->audioOutput()) {
            FPlayer->setAudioOutput(new QAudioOutput(FPlayer));
        }
    }

    // Under the application object, so Qt frees it before the audio system goes away.
    QPointer<QMediaPlayer> FPlayer;
    QPointer<QFile> FFile; // the open sound file, under the player
    bool FOpen = false;
    bool FSilent = false;
};

} // namespace

MediaFilePlayer* NewMediaFilePlayback()
{
    return new MediaFilePlayback;
}
