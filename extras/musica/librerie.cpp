#include "librerie.h"

#include <dlfcn.h>

#include <memory>

namespace musica::librerie {

void* simbolo(void* libreria, const char* nome)
{
    return dlsym(libreria, nome);
}

namespace {

// Never closed: the music's threads may hold its functions until the process ends.
template <class Funzioni>
std::unique_ptr<const Funzioni> apri(const char* nome)
{
    void* libreria = dlopen(nome, RTLD_NOW | RTLD_LOCAL);
    if (!libreria)
        return nullptr;
    auto funzioni = std::make_unique<Funzioni>();
    if (!funzioni->trova(libreria))
        return nullptr;
    return funzioni;
}

} // namespace

const FluidSynth* fluidsynth()
{
    static const auto aperta = apri<FluidSynth>(TRELVA_NOME_FLUIDSYNTH);
    return aperta.get();
}

const Pulse* pulse()
{
    static const auto aperta = apri<Pulse>(TRELVA_NOME_PULSE);
    return aperta.get();
}

#if TRELVA_HAVE_ALSA
const Alsa* alsa()
{
    static const auto aperta = apri<Alsa>(TRELVA_NOME_ALSA);
    return aperta.get();
}
#endif

} // namespace musica::librerie
