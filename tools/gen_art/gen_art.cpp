// Writes the product's pictures and icon into the folder named on the command line.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "ui/splash_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_art <output folder>\n");
        return 2;
    }
    try {
        for (const ArtFile& file : ArtFiles()) {
            const std::string path = std::string(argv[1]) + "/" + file.name;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<std::streamsize>(file.bytes.size()));
            out.close();
            if (!out) {
                std::fprintf(stderr, "gen_art: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%s: %zu bytes\n", path.c_str(), file.bytes.size());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
