// trelva-songgen <output folder>: writes the five songs as "<title>.mid".
// The output depends only on the note data, so a run reproduces the committed
// files byte for byte.
#include "songgen.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        for (const songgen::SongFile& song : songgen::composeAll()) {
            const auto path = folder / (song.title + ".mid");
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(song.bytes.data()), std::streamsize(song.bytes.size()));
            if (!out) {
                std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "songgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
