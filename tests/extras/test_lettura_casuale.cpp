// Randomised runs of the Speed.dvx reader, a stand-in for fuzzing where no
// libFuzzer is at hand and a second opinion where it is. Files are built from
// parts whose meaning is known (blanks, a number, an end, junk), so every run
// has an expected answer; plain noise is checked for staying in bounds.
#include "filevelocita.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using filevelocita::leggiRitmo;

struct Generatore {
    std::mt19937_64 caso;
    explicit Generatore(std::uint64_t seme) : caso(seme) {}

    int tra(int da, int a) { return std::uniform_int_distribution<int>(da, a)(caso); }
    char uno(std::string_view scelte) { return scelte[std::size_t(tra(0, int(scelte.size()) - 1))]; }

    std::string ripeti(std::string_view scelte, int quanti) {
        std::string s;
        for (int i = 0; i < quanti; ++i) s += uno(scelte);
        return s;
    }
    std::string rumore(int lunghezza) {
        // Mostly bytes that mean something to the reader, plus any byte at all.
        static constexpr std::string_view sensati = " \t\r\n,+-.0123456789eEHx\"";
        std::string s;
        for (int i = 0; i < lunghezza; ++i)
            s += tra(0, 3) == 0 ? char(tra(0, 255)) : uno(sensati);
        return s;
    }
};

TEST(LetturaCasuale, NumeroTraVuotiEFineVoceQualsiasi) {
    Generatore g(20260401);
    for (int giro = 0; giro < 200000; ++giro) {
        const int valore = g.tra(-99999, 99999);
        std::string testo = g.ripeti(" \t\r\n", g.tra(0, 40));
        if (valore < 0) testo += '-';
        else if (g.tra(0, 4) == 0) testo += '+';
        testo += std::string(std::size_t(g.tra(0, 3)), '0');
        testo += std::to_string(valore < 0 ? -valore : valore);
        if (g.tra(0, 3) == 0) testo.append(1, '.').append(std::size_t(g.tra(0, 3)), '0');
        const int fine = g.tra(0, 5);
        if (fine < 5) testo += " \t\r\n,"[fine] + g.rumore(g.tra(0, 30));

        const int atteso = (valore >= -32768 && valore <= 32767) ? valore : 0;
        ASSERT_EQ(leggiRitmo(testo), atteso) << "input: " << testo;
    }
}

TEST(LetturaCasuale, RumoreRestaNeiLimitiEDipendeSoloDallInizio) {
    Generatore g(42);
    for (int giro = 0; giro < 20000; ++giro) {
        const int lunghezza = g.tra(0, 3) == 0 ? g.tra(4000, 4200) : g.tra(0, 60);
        std::string testo = g.rumore(lunghezza);
        if (g.tra(0, 1) == 0) {
            // A long run of blanks pushes the first item towards the edge.
            testo = std::string(std::size_t(g.tra(0, 4200)), ' ') + testo;
        }
        const int letto = leggiRitmo(testo);
        ASSERT_GE(letto, -32768);
        ASSERT_LE(letto, 32767);
        ASSERT_EQ(leggiRitmo(std::string_view(testo).substr(0, filevelocita::byteDaLeggere)), letto);
    }
}

}  // namespace
