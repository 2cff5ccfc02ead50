#include "libraries.h"

#include <dlfcn.h>

#include <memory>

namespace music::libraries {

void* symbol(void* library, const char* name)
{
    return dlsym(library, name);
}

namespace {

// Never closed: the music's threads may hold its functions until the process ends.
template <class Functions>
std::unique_ptr<const Functions> load(const char* name)
{
    void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    auto functions = std::make_unique<Functions>();
    if (!functions->find(library))
        return nullptr;
    return functions;
}

} // namespace

const FluidSynth* fluidsynth()
{
    static const auto opened = load<FluidSynth>(TRELVA_SONAME_FLUIDSYNTH);
    return opened.get();
}

const Pulse* pulse()
{
    static const auto opened = load<Pulse>(TRELVA_SONAME_PULSE);
    return opened.get();
}

#if TRELVA_HAVE_ALSA
const Alsa* alsa()
{
    static const auto opened = load<Alsa>(TRELVA_SONAME_ALSA);
    return opened.get();
}
#endif

} // namespace music::libraries
