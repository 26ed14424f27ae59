// Writes the benchmark inputs into a directory: NAME.txt, plus NAME.expected
// (the calculated text) where it is known in advance.
//   numera-bench-gen DIR        write every input
//   numera-bench-gen --list     name, size and cell count of each input
//   numera-bench-gen --compare CALCULATED PEER
//                               the calculator's results ("expr=value;" lines)
//                               against the peer's ("value" lines), as doubles
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

bool ReadFile(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return true;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

// Both print "%.19g", which tells every double apart, so equal doubles are
// asked for: no tolerance.
int Compare(const char* calculatedPath, const char* peerPath) {
    std::string calculated;
    std::string peer;
    if (!ReadFile(calculatedPath, calculated) || !ReadFile(peerPath, peer)) {
        std::fprintf(stderr, "numera-bench-gen: cannot read %s or %s\n", calculatedPath, peerPath);
        return 2;
    }
    const std::vector<std::string> ours = Lines(calculated);
    const std::vector<std::string> theirs = Lines(peer);
    if (ours.size() != theirs.size()) {
        std::fprintf(stderr, "%zu cells calculated, %zu values from the peer\n", ours.size(),
                     theirs.size());
        return 1;
    }
    std::size_t differing = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const std::size_t equals = ours[i].rfind('=');
        const std::size_t end = ours[i].rfind(';');
        if (equals == std::string::npos || end == std::string::npos || end < equals) {
            std::fprintf(stderr, "cell %zu has no result: %s\n", i + 1, ours[i].c_str());
            return 1;
        }
        const std::string value = ours[i].substr(equals + 1, end - equals - 1);
        const double a = std::strtod(value.c_str(), nullptr);
        const double b = std::strtod(theirs[i].c_str(), nullptr);
        if (!(a == b) && !(std::isnan(a) && std::isnan(b))) {
            if (++differing <= 5) {
                std::fprintf(stderr, "cell %zu: %s gives %s, the peer %s\n", i + 1,
                             ours[i].substr(0, equals).c_str(), value.c_str(), theirs[i].c_str());
            }
        }
    }
    if (differing > 0) {
        std::fprintf(stderr, "%zu of %zu cells differ\n", differing, ours.size());
        return 1;
    }
    std::printf("%zu cells, every value equal\n", ours.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--compare") == 0) return Compare(argv[2], argv[3]);
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: numera-bench-gen DIR | --list | --compare CALCULATED PEER\n");
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
