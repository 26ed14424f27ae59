// numera-mathcheck: writes calculation texts of random function cells for
// numera-cli (Linux or Windows), then checks every calculated result against
// MPFR's correctly rounded value.
//   numera-mathcheck gen FUNCTION COUNT SEED      > cells.txt
//   numera-mathcheck check FUNCTION calculated.txt
// FUNCTION: exp ln lg pow sin cos tan asin acos atan sinh cosh tanh. The
// arguments keep every cell free of errors (a run stops at the first one).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "engine/MathLibExact.h"
#include "tests/support/MpfrReference.h"

namespace {

using NCalculatorText::exactmath::Function;

struct Draw {
    const char* name;  // as the calculator spells it
    Function f;
    double lo, hi;  // uniform draws; random bit patterns are clipped to this
};

const Draw kDraws[] = {
    {"exp", Function::Exp, -745, 709.7},   {"ln", Function::Log, 0, 1e308},
    {"lg", Function::Log10, 0, 1e308},     {"pow", Function::Pow, 0, 0},
    {"sin", Function::Sin, -1e308, 1e308}, {"cos", Function::Cos, -1e308, 1e308},
    {"tan", Function::Tan, -1e308, 1e308}, {"asin", Function::Asin, -1, 1},
    {"acos", Function::Acos, -1, 1},       {"atan", Function::Atan, -1e308, 1e308},
    {"sinh", Function::Sinh, -710, 710},   {"cosh", Function::Cosh, -710, 710},
    {"tanh", Function::Tanh, -20, 20},
};

const Draw* Find(const char* name) {
    for (const Draw& s : kDraws)
        if (!std::strcmp(s.name, name)) return &s;
    return nullptr;
}

// Half the arguments uniform in a working range, half random bit patterns
// (every exponent alike) within the allowed range.
double Argument(const Draw& s, std::mt19937_64& random, int i) {
    const bool wide = s.hi - s.lo > 1e300;
    const double lo = wide ? -4 * 3.141592653589793 : s.lo,
                 hi = wide ? 4 * 3.141592653589793 : s.hi;
    if (s.f == Function::Log || s.f == Function::Log10) {
        if (i % 2) return std::uniform_real_distribution<double>(0.01, 100)(random);
    } else if (i % 2) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    }
    for (;;) {
        const std::uint64_t bits = random() & 0x7fefffffffffffffull;
        double x;
        std::memcpy(&x, &bits, sizeof x);
        if ((s.f != Function::Log && s.f != Function::Log10) && (random() & 1)) x = -x;
        if (x >= s.lo && x <= s.hi && x != 0) return x;
    }
}

int Generate(const Draw& s, long count, unsigned long seed) {
    std::mt19937_64 random(seed);
    for (long i = 0; i < count; ++i) {
        if (s.f == Function::Pow) {
            // |a|^b within the double range: b scaled to a's exponent.
            const double a = std::ldexp(std::uniform_real_distribution<double>(0.5, 1)(random),
                                        int(random() % 600) - 300);
            const int ea = std::abs(std::ilogb(a)) + 1;
            const double b = std::uniform_real_distribution<double>(-1000, 1000)(random) / ea;
            std::printf("(%.17g)^(%.17g)=;\n", a, b);
        } else {
            std::printf("%s(%.17g)=;\n", s.name, Argument(s, random, int(i)));
        }
    }
    return 0;
}

int Check(const Draw& s, const char* path) {
    std::ifstream in(path);
    std::string line;
    long total = 0, wrong = 0;
    while (std::getline(in, line)) {
        const auto eq = line.rfind('=');
        if (eq == std::string::npos) continue;
        double a = 0, b = 0;
        if (s.f == Function::Pow) {
            if (std::sscanf(line.c_str(), "(%lf)^(%lf)", &a, &b) != 2) continue;
        } else {
            a = std::strtod(line.c_str() + std::strlen(s.name) + 1, nullptr);
        }
        const double got = std::strtod(line.c_str() + eq + 1, nullptr);
        const double want = mpfr_reference::Rounded(s.f, a, b);
        ++total;
        if (!mpfr_reference::SameDouble(got, want)) {
            if (++wrong <= 10) std::printf("differs: %s  (nearest %.19g)\n", line.c_str(), want);
        }
    }
    std::printf("%s: %ld results, %ld not the nearest double\n", s.name, total, wrong);
    return wrong == 0 && total > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const Draw* s = argc >= 3 ? Find(argv[2]) : nullptr;
    if (s && argc == 5 && !std::strcmp(argv[1], "gen"))
        return Generate(*s, std::atol(argv[3]), std::strtoul(argv[4], nullptr, 10));
    if (s && argc == 4 && !std::strcmp(argv[1], "check")) return Check(*s, argv[3]);
    std::fprintf(stderr, "usage: numera-mathcheck gen FUNCTION COUNT SEED | check FUNCTION FILE\n");
    return 2;
}
