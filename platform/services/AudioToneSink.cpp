#include "platform/services/AudioToneSink.h"
#include "platform/services/MediaBackend.h"
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Endless square wave at the current frequency; frequency 0 gives silence.
class SquareWave : public QIODevice {
public:
    SquareWave(const QAudioFormat& format, QObject* parent) : QIODevice(parent), FFormat(format)
    {
        open(QIODevice::ReadOnly);
    }

    void setFrequency(double hertz) { FHertz.store(hertz); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return FFormat.bytesForDuration(100000) + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const int frameBytes = FFormat.bytesPerFrame();
        if (frameBytes <= 0)
            return 0;
        const qint64 frames = maxSize / frameBytes;
        const double hertz = FHertz.load();
        const double step = hertz > 0 ? hertz / FFormat.sampleRate() : 0;
        for (qint64 f = 0; f < frames; ++f) {
            float level = 0;
            if (step > 0) {
                level = FPhase < 0.5 ? kAmplitude : -kAmplitude;
                FPhase += step;
                FPhase -= std::floor(FPhase);
            }
            for (int c = 0; c < FFormat.channelCount(); ++c)
                writeSample(data + f * frameBytes + c * FFormat.bytesPerSample(), level);
        }
        return frames * frameBytes;
    }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    // A quarter of full scale: a signal, not a blast.
    static constexpr float kAmplitude = 0.25f;

    void writeSample(char* at, float level) const
    {
        switch (FFormat.sampleFormat()) {
        case QAudioFormat::Int16: {
            auto v = static_cast<qint16>(level * std::numeric_limits<qint16>::max());
            std::memcpy(at, &v, sizeof v);
            break;
        }
        case QAudioFormat::Int32: {
            // In double: a float can't hold the largest 32-bit sample, and rounded up it overflows.
            auto v = static_cast<qint32>(static_cast<double>(level) * std::numeric_limits<qint32>::max());
            std::memcpy(at, &v, sizeof v);
            break;
        }
        case QAudioFormat::UInt8:
            *reinterpret_cast<quint8*>(at) = static_cast<quint8>(128 + level * 127);
            break;
        case QAudioFormat::Float:
            std::memcpy(at, &level, sizeof level);
            break;
        default:
            break;
        }
    }

    QAudioFormat FFormat;
    std::atomic<double> FHertz {0};
    double FPhase = 0;
};

} // namespace

// The audio sink, its wave and the timer that releases the device when tones stop coming.
class ToneOutput : public QObject {
public:
    ToneOutput(const QAudioDevice& device, QObject* parent) : QObject(parent)
    {
        QAudioFormat format = device.preferredFormat();
        FSink = new QAudioSink(device, format, this);
        // A short buffer, so that a 100 ms tone is heard as 100 ms and not cut or smeared.
        FSink->setBufferSize(format.bytesForDuration(30000));
        FWave = new SquareWave(format, this);
        FIdle.setSingleShot(true);
        FIdle.setInterval(kReleaseAfterMs);
        connect(&FIdle, &QTimer::timeout, this, [this] { FSink->stop(); });
    }

    void start(double hertz)
    {
        FIdle.stop();
        FWave->setFrequency(hertz);
        if (FSink->state() == QAudio::StoppedState)
            FSink->start(FWave);
    }

    void stop()
    {
        FWave->setFrequency(0);
        // Tunes come as tones with short gaps: keep the device open across them.
        FIdle.start();
    }

private:
    static constexpr int kReleaseAfterMs = 2000;
    QAudioSink* FSink = nullptr;
    SquareWave* FWave = nullptr;
    QTimer FIdle;
};

ToneOutput* AudioToneSink::Output()
{
    if (FOutput)
        return FOutput;
    auto* app = QCoreApplication::instance();
    if (!app || FTriedWithoutDevice)
        return nullptr;
    PreferMediaBackend();
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        // No device now means none for this run; asking again for every tone costs time.
        FTriedWithoutDevice = true;
        return nullptr;
    }
    FOutput = new ToneOutput(device, app);
    return FOutput;
}

void AudioToneSink::StartTone(double hertz)
{
    if (auto* output = Output())
        output->start(hertz);
}

void AudioToneSink::StopTone()
{
    if (FOutput)
        FOutput->stop();
}
