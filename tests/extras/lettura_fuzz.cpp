// libFuzzer target for the Speed.dvx reader: any bytes at all must give an
// answer without crashing, hanging or reading out of bounds, and that answer
// may depend only on the bounded prefix that start-up actually reads.
#include "filevelocita.h"

#include <cstdlib>

using namespace trelva;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* dati, std::size_t n)
{
    const std::string_view tutto(reinterpret_cast<const char*>(dati), n);
    const std::int16_t ritmo = filevelocita::leggiRitmo(tutto);

    // Start-up hands the reader only byteDaLeggere bytes; a longer file must
    // read the same through that window.
    if (filevelocita::leggiRitmo(tutto.substr(0, filevelocita::byteDaLeggere)) != ritmo)
        std::abort();

    // A rate that was read must survive being written and read back.
    if (ritmo >= 1 && ritmo <= 3 && filevelocita::leggiRitmo(filevelocita::rigaRitmo(ritmo)) != ritmo)
        std::abort();
    return 0;
}
