// TMediaPlayer: plays one sound file through Qt Multimedia. A file that is missing or can't be
// played makes Open fail the same way, so callers report both alike. Without an audio device a
// file that opens still plays: silently, and it is over at once.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include <memory>

QEX_EXCEPTION(EMCIDeviceError, Exception);

enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class TMediaPlayer : public TComponent {
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& fileName) { FFileName = fileName; }

    // Opens FileName; raises EMCIDeviceError when it is missing or can't be played, and the
    // player is then closed.
    void Open();
    // From the start; raises EMCIDeviceError when nothing is open.
    void Play();
    void Stop();
    void Close();
    TMPModes Mode() const;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    AnsiString FFileName;
};
