#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string_view>

#include "autogioco.h"
#include "sessione.h"

namespace {

const char* const uso = "usage: trelva-replay                      < script   (commands on standard input)\n"
                        "       trelva-replay --autoplay N --seed S [--exact]\n";

template <typename T>
bool leggi(std::string_view s, T& v)
{
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc{} && p == s.data() + s.size();
}

int autoplay(long partite, std::uint64_t seme, bool esatto)
{
    trelva::replay::Autogioco a(seme, esatto);
    const auto inizio = std::chrono::steady_clock::now();
    const trelva::replay::Bilancio b = a.gioca(partite);
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    if (b.bloccata) {
        std::fprintf(stderr, "error: game %ld did not end within 44 presses\n", b.partite + 1);
        return 1;
    }
    const double tasso = b.partite ? double(b.vinte) / double(b.partite) : 0.0;
    const double alSecondo = secondi > 0 ? double(b.partite) / secondi : 0.0;
    std::printf("games=%ld won=%ld rate=%.4f games_per_second=%.0f\n", b.partite, b.vinte, tasso,
                alSecondo);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 1) {
        std::ios::sync_with_stdio(false);
        trelva::replay::Sessione s(std::cin, std::cout, std::cerr);
        return s.esegui();
    }

    long partite = -1;
    std::uint64_t seme = 0;
    bool conSeme = false, esatto = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--autoplay" && i + 1 < argc && leggi(argv[i + 1], partite) && partite >= 0) {
            ++i;
        } else if (a == "--seed" && i + 1 < argc && leggi(argv[i + 1], seme)) {
            conSeme = true;
            ++i;
        } else if (a == "--exact") {
            esatto = true;
        } else {
            std::fputs(uso, stderr);
            return 2;
        }
    }
    if (partite < 0 || !conSeme) {
        std::fputs(uso, stderr);
        return 2;
    }
    return autoplay(partite, seme, esatto);
}
