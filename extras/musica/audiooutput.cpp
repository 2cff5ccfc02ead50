#include "audiooutput.h"

#include "libraries.h"

#include <cstdlib>
#include <mutex>

namespace music {

void introduceToMixers(const char* applicationId)
{
    // libpulse adds every PULSE_PROP_<key> to the client's properties, and the
    // server gives them to each of its streams.
    ::setenv("PULSE_PROP_media.role", "game", 0);
    ::setenv("PULSE_PROP_application.id", applicationId, 0);
    ::setenv("PULSE_PROP_application.icon_name", applicationId, 0);
}

namespace {

class Pulse : public AudioOutput {
public:
    Pulse(const libraries::Pulse& pa, pa_simple* s)
        : pa_(pa)
        , s_(s)
    {
    }
    ~Pulse() override { pa_.pa_simple_free(s_); }
    bool write(const int16_t* frames, int count) override
    {
        int error = 0;
        return pa_.pa_simple_write(s_, frames, size_t(count) * 4, &error) == 0;
    }
    void drop() override
    {
        int error = 0;
        pa_.pa_simple_flush(s_, &error);
    }

    static std::unique_ptr<AudioOutput> open(int rate)
    {
        const libraries::Pulse* pa = libraries::pulse();
        if (!pa)
            return nullptr;
        const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(rate), 2};
        pa_buffer_attr attr;
        attr.maxlength = uint32_t(-1);
        attr.tlength = uint32_t(pa->pa_usec_to_bytes(bufferMs * 1000, &format));
        attr.prebuf = uint32_t(-1);
        attr.minreq = uint32_t(pa->pa_usec_to_bytes(blockMs * 1000, &format));
        attr.fragsize = uint32_t(-1);
        int error = 0;
        pa_simple* s = pa->pa_simple_new(nullptr, "La Trelva", PA_STREAM_PLAYBACK, nullptr, "Music", &format, nullptr,
                                         &attr, &error);
        return s ? std::make_unique<Pulse>(*pa, s) : nullptr;
    }

private:
    const libraries::Pulse& pa_;
    pa_simple* const s_;
};

#if TRELVA_HAVE_ALSA
void quietAlsa(const char*, int, const char*, int, const char*, ...)
{
}

class Alsa : public AudioOutput {
public:
    Alsa(const libraries::Alsa& snd, snd_pcm_t* pcm)
        : snd_(snd)
        , pcm_(pcm)
    {
    }
    ~Alsa() override
    {
        snd_.snd_pcm_drop(pcm_);
        snd_.snd_pcm_close(pcm_);
    }
    bool write(const int16_t* frames, int count) override
    {
        while (count > 0) {
            snd_pcm_sframes_t n = snd_.snd_pcm_writei(pcm_, frames, snd_pcm_uframes_t(count));
            if (n < 0)
                n = snd_.snd_pcm_recover(pcm_, int(n), 1); // an underrun after a pause is expected
            if (n < 0)
                return false;
            frames += 2 * n;
            count -= int(n);
        }
        return true;
    }
    void drop() override
    {
        snd_.snd_pcm_drop(pcm_);
        snd_.snd_pcm_prepare(pcm_);
    }

    static std::unique_ptr<AudioOutput> open(int rate)
    {
        // libasound prints its complaints when there is no card unless given a handler.
        const libraries::Alsa* snd = libraries::alsa();
        if (!snd)
            return nullptr;
        static std::once_flag once;
        std::call_once(once, [&] { snd->snd_lib_error_set_handler(quietAlsa); });
        snd_pcm_t* pcm = nullptr;
        if (snd->snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
            return nullptr;
        if (snd->snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, unsigned(rate), 1,
                                    bufferMs * 1000)
            < 0) {
            snd->snd_pcm_close(pcm);
            return nullptr;
        }
        return std::make_unique<Alsa>(*snd, pcm);
    }

private:
    const libraries::Alsa& snd_;
    snd_pcm_t* const pcm_;
};
#endif

} // namespace

std::unique_ptr<AudioOutput> systemOutput(int sampleRate, QString* name)
{
    if (auto out = Pulse::open(sampleRate)) {
        *name = QStringLiteral("pulseaudio");
        return out;
    }
#if TRELVA_HAVE_ALSA
    if (auto out = Alsa::open(sampleRate)) {
        *name = QStringLiteral("alsa");
        return out;
    }
#endif
    return nullptr;
}

} // namespace music
