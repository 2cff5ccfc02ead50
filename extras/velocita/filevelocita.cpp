#include "filevelocita.h"

namespace trelva {

namespace filevelocita {
namespace {

bool vuoto(char c)
{
    return c == ' ' || c == '\t';
}
bool fineRiga(char c)
{
    return c == '\r' || c == '\n';
}
bool fineVoce(char c)
{
    return vuoto(c) || fineRiga(c) || c == ',';
}
bool cifra(char c)
{
    return c >= '0' && c <= '9';
}

// Beyond this the value is out of the 16-bit range whatever follows, so the
// accumulator stops growing instead of overflowing on a long run of digits.
constexpr long tetto = 100000;

// The numeric value of one item, or 0 when it is not a number or does not fit.
std::int16_t valoreVoce(std::string_view voce)
{
    std::size_t i = 0;
    bool negativo = false;
    if (i < voce.size() && (voce[i] == '+' || voce[i] == '-')) {
        negativo = voce[i] == '-';
        ++i;
    }
    long intero = 0;
    bool haCifre = false;
    for (; i < voce.size() && cifra(voce[i]); ++i) {
        haCifre = true;
        intero = intero * 10 + (voce[i] - '0');
        if (intero > tetto)
            intero = tetto;
    }
    // The fraction only decides the rounding: its first digit against 5, and
    // whether anything non-zero follows a 5 (a tie rounds to the even value).
    int primaDecimale = -1;
    bool restoNonNullo = false;
    if (i < voce.size() && voce[i] == '.') {
        ++i;
        for (; i < voce.size() && cifra(voce[i]); ++i) {
            haCifre = true;
            if (primaDecimale < 0)
                primaDecimale = voce[i] - '0';
            else if (voce[i] != '0')
                restoNonNullo = true;
        }
    }
    if (!haCifre || i != voce.size())
        return 0;

    if (primaDecimale > 5 || (primaDecimale == 5 && (restoNonNullo || intero % 2 == 1)))
        ++intero;
    const long valore = negativo ? -intero : intero;
    if (valore < -32768 || valore > 32767)
        return 0;
    return static_cast<std::int16_t>(valore);
}

} // namespace

std::int16_t leggiRitmo(std::string_view dati) noexcept
{
    const bool altroOltre = dati.size() > limiteLettura;
    const std::string_view inizio = dati.substr(0, limiteLettura);

    std::size_t i = 0;
    while (i < inizio.size() && (vuoto(inizio[i]) || fineRiga(inizio[i])))
        ++i;
    const std::size_t primo = i;
    while (i < inizio.size() && !fineVoce(inizio[i]))
        ++i;

    // An item that runs into the edge of the prefix may go on beyond it: its
    // value is unknown, so it is not trusted.
    if (i == inizio.size() && altroOltre)
        return 0;
    return valoreVoce(inizio.substr(primo, i - primo));
}

std::string rigaRitmo(int indice)
{
    const std::string numero = std::to_string(indice < 0 ? -indice : indice);
    return (indice < 0 ? "-" : " ") + numero + " \r\n";
}

} // namespace filevelocita

} // namespace trelva
