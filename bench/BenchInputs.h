// Inputs for the engine benchmarks and the robustness checks: a generated
// document of typical cells and the stress cases. Everything is produced
// from fixed seeds, so every machine measures the same texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace NumeraBench {

// What numera-cli must do with an input.
enum class Outcome {
    Succeeds,        // exit 0, no error line (warnings allowed)
    SyntaxError,     // exit 1, the single diagnostic "Syntax error", text unchanged
    ResultOrGiveUp,  // a result, or a "Syntax error" where the engine gives up
};

struct BenchInput {
    std::string name;
    std::string text;      // ASCII, the calculator's own input
    std::string expected;  // the calculated text of a successful run, when known in advance
    Outcome outcome = Outcome::Succeeds;
    std::size_t cells = 1;
};

// One cell per line ending with ";": 3 to 12 operations each, functions of
// both notations, brackets of all three kinds, numbers with exponents, a few
// stale results, comments and memory cells. Stops before exceeding maxBytes.
std::string TypicalDocument(std::size_t maxBytes, uint64_t seed, std::size_t* cellCount = nullptr,
                            std::size_t maxCells = SIZE_MAX);

// The arithmetic a plain expression parser shares with this calculator, in
// both dialects, one cell a line: 3 to 12 operations of + - * / ^ and sin cos
// tan ln exp sqrt abs over positive literals, pi and e. No unary minus, every
// power a literal raised to a literal, every right operand of equal
// precedence bracketed, every argument inside its function's domain, so both
// parsers read the same tree. `calculator` ends each line with ";",
// `peer` spells the constants _pi and _e and has no ";".
struct PeerDocument {
    std::string calculator;
    std::string peer;
    std::size_t cells = 0;
};
PeerDocument CommonDocument(std::size_t maxBytes, uint64_t seed);

// The "common_1mib" input in both dialects (the peer's is written next to
// its NAME.txt as NAME.muparser).
PeerDocument CommonInput();

// "1+2+3+...+n".
std::string SumChain(int n);

// n factors "1.0000001*1.0000001*...".
std::string ProductChain(int n);

// "1.0000001^1^1^...^1" with n operands.
std::string PowerChain(int n);

// "(1+(1+(...(1+1)...)))" with the given number of bracket levels.
std::string NestedSums(int levels);

// "((...(2)...))" with the given number of bracket levels.
std::string NestedBrackets(int levels, const std::string& core);

// "%.19g" in the C locale, as results are written.
std::string FormatResult(double value);

// Every input, in the order the tools list them.
std::vector<BenchInput> AllInputs();

}  // namespace NumeraBench
