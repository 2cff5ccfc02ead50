// MMC1: the game's music control. It plays one MIDI song at a time through
// FluidSynth and is driven the way a multimedia control is: a file name, command
// words and a start position go in; a position, a length and a completion event
// come out.
//
// The synthesizer and its soundfont are loaded only once an output has opened
// for a song, and are let go with the song (a close, or an output that went
// away). A song whose output went away keeps its time in silence, and its next
// "play" (or its next opening) tries the output again.
#pragma once

#include "audiooutput.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

namespace music {

class Engine;

class MMC1 : public QObject {
    Q_OBJECT

public:
    enum class Output {
        Device, // the system's sound server or device: PulseAudio, else ALSA
        // no output; whoever owns the control pulls audio with render()
        Offline,
    };

    struct Options {
        Output output = Output::Device;
        // Soundfonts to try instead of the system's (FluidR3, TimGM6mb, the
        // system default). A .sf2 beside the song is always tried first.
        QStringList soundfonts;
        // Background music: half the usual rate is half the synthesizer's work.
        int sampleRate = 22050;
        // Device output only: where the sound goes instead of the system's.
        OpenOutput device;
    };

    // The notify code of a command that completed, or of a song that played to its end.
    static constexpr int Successful = 1;

    explicit MMC1(QObject* parent = nullptr);
    explicit MMC1(const Options& options, QObject* parent = nullptr);
    // Closes in the background and waits a little for it, never for a sound
    // server that has stopped answering.
    ~MMC1() override;

    // Whether Done is raised at all; off until the owner asks for it.
    void setNotify(bool on);
    bool notify() const;

    void setFileName(const QString& name);
    QString fileName() const { return fileName_; }

    // "open", "play", "pause", "stop", "close", in any letter case. Unknown
    // words, and words that find nothing to act on, do nothing. Commands are
    // carried out in order on a thread of the control's own; only "close"
    // waits for them, and never longer than closeWaitMs: a sound server that
    // hangs must not hold the window.
    void setCommand(const QString& word);
    static constexpr int closeWaitMs = 25;

    // Milliseconds. Equal once the song has played to its end.
    qint64 position() const;
    qint64 length() const;

    // Where the next "play" starts, in milliseconds; without it "play" goes on
    // from where the song stands.
    void setFrom(qint64 ms);

    // Offline output: fills both channels with the next frames of sound. The
    // commands given before the call take effect first, so what comes out
    // depends only on the calls made. A device control fills in silence.
    void render(float* left, float* right, int frames);
    int sampleRate() const;

    // Blocks until the commands given so far have been carried out. The control
    // never needs it; tests and measurements do.
    bool waitForIdle(int timeoutMs = 60000);

    // "pulseaudio", "alsa" (or the name a given output reports) or "offline"
    // while a song is open and heard, else empty.
    QString outputName() const;

signals:
    void Done(int notifyCode);

private:
    std::shared_ptr<Engine> engine_;
    std::atomic<bool> notify_{false};
    bool offline_ = false;
    QString fileName_;
};

} // namespace music
