// The peer of numera-cli in the benchmark: a plain expression parser that
// calculates one expression a line, as a user of that library would. It
// parses every line again, as the calculator does.
//   numera-muparser [--exact-functions] FILE   prints "%.19g" of every line's value
// It times the C library's functions. With --exact-functions it calls the
// calculator's correctly rounded ones instead, so that the two programs'
// values can be compared double for double.
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/MathLibExact.h"

namespace {

namespace em = NCalculatorText::exactmath;

double Sqrt(double x) { return std::sqrt(x); }
double Abs(double x) { return std::fabs(x); }
double Plus(double a, double b) { return a + b; }
double Minus(double a, double b) { return a - b; }
double Times(double a, double b) { return a * b; }
double Divide(double a, double b) { return a / b; }

void UseExactFunctions(mu::Parser& parser) {
    parser.ClearFun();
    parser.DefineFun("sin", em::Sin);
    parser.DefineFun("cos", em::Cos);
    parser.DefineFun("tan", em::Tan);
    parser.DefineFun("ln", em::Log);
    parser.DefineFun("exp", em::Exp);
    parser.DefineFun("sqrt", Sqrt);
    parser.DefineFun("abs", Abs);
    // The power operator too: the built-in one calls the C library's pow.
    // The common document has no unary minus and no comparisons.
    parser.EnableBuiltInOprt(false);
    parser.DefineOprt("+", Plus, mu::prADD_SUB);
    parser.DefineOprt("-", Minus, mu::prADD_SUB);
    parser.DefineOprt("*", Times, mu::prMUL_DIV);
    parser.DefineOprt("/", Divide, mu::prMUL_DIV);
    parser.DefineOprt("^", em::Pow, mu::prPOW, mu::oaRIGHT);
}

}  // namespace

int main(int argc, char** argv) {
    const bool exact = argc == 3 && std::strcmp(argv[1], "--exact-functions") == 0;
    if (argc != 2 && !exact) {
        std::fprintf(stderr, "usage: numera-muparser [--exact-functions] FILE\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::perror(path);
        return 2;
    }
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);

    mu::Parser parser;
    // Debian's muparser 2.3.3 defines _pi as 3.141592653589; the calculator's
    // pi is the double nearest to it.
    parser.DefineConst("_pi", 3.141592653589793);
    if (exact) UseExactFunctions(parser);
    std::size_t begin = 0;
    std::size_t lineNumber = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        try {
            parser.SetExpr(line);
            std::printf("%.19g\n", parser.Eval());
        } catch (const mu::Parser::exception_type& error) {
            std::fprintf(stderr, "line %zu: %s\n", lineNumber, error.GetMsg().c_str());
            return 1;
        }
    }
    return 0;
}
