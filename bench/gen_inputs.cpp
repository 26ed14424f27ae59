// Writes the benchmark inputs into a directory: NAME.txt, plus NAME.expected
// (the calculated text) where it is known in advance.
//   numera-bench-gen DIR        write every input
//   numera-bench-gen --list     name, size and cell count of each input
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchInputs.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    // Leave an identical file alone so that its time stamp does not change.
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes) return true;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: numera-bench-gen DIR | --list\n");
        return 2;
    }
    const auto inputs = NumeraBench::AllInputs();
    if (std::strcmp(argv[1], "--list") == 0) {
        for (const auto& input : inputs) {
            std::printf("%-24s %9zu bytes %7zu cells\n", input.name.c_str(), input.text.size(),
                        input.cells);
        }
        return 0;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const auto& input : inputs) {
        if (!WriteFile(dir / (input.name + ".txt"), input.text) ||
            (!input.expected.empty() &&
             !WriteFile(dir / (input.name + ".expected"), input.expected))) {
            std::fprintf(stderr, "numera-bench-gen: cannot write %s in %s\n", input.name.c_str(),
                         dir.string().c_str());
            return 1;
        }
    }
    if (!WriteFile(dir / "common_1mib.muparser", NumeraBench::CommonInput().peer)) {
        std::fprintf(stderr, "numera-bench-gen: cannot write common_1mib.muparser in %s\n",
                     dir.string().c_str());
        return 1;
    }
    return 0;
}
