// Writes the deck's pictures as SVG files into the directory given on the
// command line: carta01.svg to carta40.svg, dorso.svg, logo.svg, testo.svg
// and icona.svg.
#include "cards.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool write(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "trelva-cardart: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: trelva-cardart OUTPUT_DIRECTORY\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    bool ok = true;
    for (int card = 1; card <= 40; ++card) {
        char name[16];
        std::snprintf(name, sizeof name, "carta%02d.svg", card);
        ok = write(dir / name, cardart::face(card)) && ok;
    }
    ok = write(dir / "dorso.svg", cardart::back()) && ok;
    ok = write(dir / "logo.svg", cardart::logo()) && ok;
    ok = write(dir / "testo.svg", cardart::title()) && ok;
    ok = write(dir / "icona.svg", cardart::icon()) && ok;
    return ok ? 0 : 1;
}
