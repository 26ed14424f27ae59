#include "bench/BenchInputs.h"

#include <cstdio>
#include <utility>

namespace NumeraBench {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr uint64_t kDocumentSeed = 0x4e756d657261ULL;  // fixed: same document everywhere
constexpr uint64_t kCommonSeed = 0x6d7570617273ULL;

// splitmix64: tiny, fast and identical on every platform, unlike the
// distributions of <random>.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi].
    int Between(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
    }
    bool Percent(int p) { return Between(0, 99) < p; }
    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Next() % N];
    }

private:
    uint64_t state_;
};

// Binding strength of what an expression text is at its top level, loosest
// first, so that operands are bracketed only where the language needs it.
enum Prec { PSum = 0, PNeg = 1, PProduct = 2, PPower = 3, PAtom = 4 };

struct Expr {
    std::string text;
    Prec prec;
};

class CellWriter {
public:
    explicit CellWriter(Rng& rng) : rng_(rng) {}

    // An expression with exactly `ops` operations (operators, signs and
    // function calls). Its value stays finite and every function argument
    // inside its domain, so a whole document calculates without an error.
    Expr Build(int ops) {
        if (ops <= 0) return {Number(), PAtom};
        const int kind = rng_.Between(0, 99);
        if (kind < 42) return Binary(ops);
        if (kind < 82) return Function(ops);
        if (kind < 90) return Power(ops);
        return Negation(ops);
    }

    std::string Bracket(const std::string& inner) {
        static const char* const kOpen[] = {"(", "(", "(", "(", "[", "{"};
        const std::string open = rng_.Pick(kOpen);
        const std::string close = open == "(" ? ")" : open == "[" ? "]" : "}";
        return open + inner + close;
    }

    std::string Number() {
        const int kind = rng_.Between(0, 99);
        if (kind < 28) return std::to_string(rng_.Between(1, 999));
        if (kind < 55) {
            // Never zero: divisors are plain literals too.
            return std::to_string(rng_.Between(0, 99)) + "." + Digits(rng_.Between(0, 1)) +
                   static_cast<char>('1' + rng_.Between(0, 8));
        }
        if (kind < 80) {
            // Mantissa with an exponent: 2.5e-3, 6.1e4, 1.25e+2.
            std::string m = std::to_string(rng_.Between(1, 9));
            if (rng_.Percent(40)) m += "." + Digits(1);
            static const char* const kSigns[] = {"", "-", "+", "-"};
            return m + "e" + rng_.Pick(kSigns) + std::to_string(rng_.Between(0, 5));
        }
        if (kind < 86) return "0." + Digits(rng_.Between(0, 2)) + "1";
        if (kind < 92) return "pi";
        if (kind < 96) return "e";
        return "," + Digits(2) + "5";  // the other decimal separator
    }

private:
    std::string Digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng_.Between(0, 9));
        return s;
    }

    std::string Operand(const Expr& e, Prec needed) {
        return e.prec < needed ? Bracket(e.text) : e.text;
    }

    Expr Binary(int ops) {
        static const char kOps[] = {'+', '-', '*', '/', '+', '*'};
        const char op = rng_.Pick(kOps);
        const int rest = ops - 1;
        if (op == '/') return Divide(rest);
        const int leftOps = rng_.Between(0, rest);
        const Expr left = Build(leftOps);
        const Expr right = Build(rest - leftOps);
        if (op == '+' || op == '-') {
            // A right operand that starts with a sign needs brackets ("1+-2" is no sum).
            return {Operand(left, PSum) + op + Operand(right, PProduct), PSum};
        }
        return {Operand(left, PProduct) + op + Operand(right, PProduct), PProduct};
    }

    Expr Divide(int rest) {
        // Spend the operations: the dividend gets most, the divisor is a literal
        // (no operations) or "(abs(x)+1)" (two operations plus x's).
        if (rest >= 3 && rng_.Percent(40)) {
            const int inner = rng_.Between(0, rest - 2);
            const Expr dividend = Build(rest - 2 - inner);
            const Expr x = Build(inner);
            return {Operand(dividend, PProduct) + "/" + Bracket("abs" + Bracket(x.text) + "+1"),
                    PProduct};
        }
        const Expr dividend = Build(rest);
        return {Operand(dividend, PProduct) + "/" + Number(), PProduct};
    }

    Expr Power(int ops) {
        // A literal base and a small exponent keep every power finite.
        static const char* const kExponents[] = {"2", "3", "0.5", "2", "1.5"};
        const std::string base = Number();
        const Expr rest = Build(ops - 1);
        std::string power = base + "^" + rng_.Pick(kExponents);
        if (ops - 1 == 0) return {power, PPower};
        // Combine with the remaining operations as a product or a sum.
        if (rng_.Percent(50)) return {power + "*" + Operand(rest, PProduct), PProduct};
        return {power + "+" + Operand(rest, PProduct), PSum};
    }

    Expr Negation(int ops) {
        const Expr inner = Build(ops - 1);
        return {"-" + Operand(inner, PProduct), PNeg};
    }

    Expr Function(int ops) {
        // Functions that take any finite argument.
        static const char* const kAnyArgument[] = {
            "sin", "cos", "arctg", "atan", "abs", "th", "tanh", "sign", "sin", "cos",
        };
        const int rest = ops - 1;
        const int form = rng_.Between(0, 99);
        if (form < 55 || rest < 1) {
            return {std::string(rng_.Pick(kAnyArgument)) + Bracket(Build(rest).text), PAtom};
        }
        if (form < 70) {  // sqrt(abs(x)), √ spelt out
            return {"sqrt" + Bracket("abs" + Bracket(Build(rest - 1).text)), PAtom};
        }
        if (form < 80 && rest >= 2) {  // ln(abs(x)+1) or lg(abs(x)+1)
            static const char* const kLogs[] = {"ln", "lg", "log"};
            return {std::string(rng_.Pick(kLogs)) +
                        Bracket("abs" + Bracket(Build(rest - 2).text) + "+1"),
                    PAtom};
        }
        if (form < 90) {  // exp of a bounded argument
            static const char* const kBounded[] = {"sin", "cos", "th"};
            return {
                "exp" + Bracket(std::string(rng_.Pick(kBounded)) + Bracket(Build(rest - 1).text)),
                PAtom};
        }
        // hyperbolic functions of a bounded argument
        static const char* const kHyperbolic[] = {"sh", "ch", "sinh", "cosh", "arsh", "arsinh"};
        static const char* const kBounded[] = {"sin", "cos", "arctg"};
        return {std::string(rng_.Pick(kHyperbolic)) +
                    Bracket(std::string(rng_.Pick(kBounded)) + Bracket(Build(rest - 1).text)),
                PAtom};
    }

    Rng& rng_;
};

// Both dialects of one expression, built side by side.
struct Pair {
    std::string calculator;
    std::string peer;
    Prec prec;
    bool pi = false;  // exactly the double nearest to pi
};

class CommonWriter {
public:
    explicit CommonWriter(Rng& rng) : rng_(rng) {}

    // Exactly `ops` operations; finite, and every argument in its domain.
    Pair Build(int ops) {
        if (ops <= 0) return Atom();
        const int kind = rng_.Between(0, 99);
        if (kind < 50) return Binary(ops);
        if (kind < 88) return Function(ops);
        return Power(ops);
    }

private:
    static Pair Same(const std::string& text, Prec prec) { return {text, text, prec, false}; }

    static Pair Bracket(const Pair& e) {
        return {"(" + e.calculator + ")", "(" + e.peer + ")", PAtom, e.pi};
    }

    // An operand of an operator of precedence `prec`: a left one may be of
    // the same precedence, a right one must bind tighter.
    static Pair Operand(const Pair& e, Prec prec, bool right) {
        return (e.prec < prec || (right && e.prec == prec)) ? Bracket(e) : e;
    }

    static Pair Join(const Pair& left, const char* op, const Pair& right, Prec prec) {
        return {left.calculator + op + right.calculator, left.peer + op + right.peer, prec, false};
    }

    static Pair Call(std::string name, const Pair& argument) {
        // The calculator makes sin(pi) exactly 0, which no library does.
        if (name == "sin" && argument.pi) name = "cos";
        return {name + "(" + argument.calculator + ")", name + "(" + argument.peer + ")", PAtom,
                name == "abs" && argument.pi};
    }

    std::string Digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng_.Between(0, 9));
        return s;
    }

    // A positive literal, never zero.
    std::string Literal() {
        const int kind = rng_.Between(0, 99);
        if (kind < 35) return std::to_string(rng_.Between(1, 999));
        if (kind < 65) {
            return std::to_string(rng_.Between(0, 99)) + "." + Digits(rng_.Between(0, 1)) +
                   static_cast<char>('1' + rng_.Between(0, 8));
        }
        if (kind < 90) {
            std::string m = std::to_string(rng_.Between(1, 9));
            if (rng_.Percent(40)) m += "." + Digits(1);
            static const char* const kSigns[] = {"", "-", "+", "-"};
            return m + "e" + rng_.Pick(kSigns) + std::to_string(rng_.Between(0, 5));
        }
        return "0." + Digits(rng_.Between(0, 2)) + "1";
    }

    Pair Atom() {
        const int kind = rng_.Between(0, 99);
        if (kind < 6) return {"pi", "_pi", PAtom, true};
        if (kind < 10) return {"e", "_e", PAtom, false};
        return Same(Literal(), PAtom);
    }

    Pair Binary(int ops) {
        static const char* const kOps[] = {"+", "-", "*", "/", "+", "*"};
        const std::string op = rng_.Pick(kOps);
        const int rest = ops - 1;
        if (op == "/") {
            // The divisor is a literal or "(abs(x)+1)", never zero.
            if (rest >= 3 && rng_.Percent(40)) {
                const int inner = rng_.Between(0, rest - 2);
                const Pair dividend = Operand(Build(rest - 2 - inner), PProduct, false);
                const Pair divisor =
                    Bracket(Join(Call("abs", Build(inner)), "+", Same("1", PAtom), PSum));
                return Join(dividend, "/", divisor, PProduct);
            }
            return Join(Operand(Build(rest), PProduct, false), "/", Atom(), PProduct);
        }
        const int leftOps = rng_.Between(0, rest);
        const Prec prec = (op == "+" || op == "-") ? PSum : PProduct;
        const Pair left = Operand(Build(leftOps), prec, false);
        const Pair right = Operand(Build(rest - leftOps), prec, true);
        return Join(left, op.c_str(), right, prec);
    }

    Pair Power(int ops) {
        static const char* const kExponents[] = {"2", "3", "0.5", "2", "1.5"};
        const Pair power = Join(Atom(), "^", Same(rng_.Pick(kExponents), PAtom), PPower);
        if (ops == 1) return power;
        const Pair rest = Operand(Build(ops - 1), PProduct, true);
        return rng_.Percent(50) ? Join(power, "*", rest, PProduct)
                                : Join(power, "+", Operand(rest, PSum, true), PSum);
    }

    Pair Function(int ops) {
        const int rest = ops - 1;
        const int form = rng_.Between(0, 99);
        if (form < 45 || rest < 1) {
            static const char* const kAnyArgument[] = {"sin", "cos", "tan", "abs"};
            return Call(rng_.Pick(kAnyArgument), Build(rest));
        }
        if (form < 65) return Call("sqrt", Call("abs", Build(rest - 1)));
        if (form < 85 && rest >= 2) {
            return Call("ln", Join(Call("abs", Build(rest - 2)), "+", Same("1", PAtom), PSum));
        }
        static const char* const kBounded[] = {"sin", "cos"};
        return Call("exp", Call(rng_.Pick(kBounded), Build(rest - 1)));
    }

    Rng& rng_;
};

}  // namespace

std::string TypicalDocument(std::size_t maxBytes, uint64_t seed, std::size_t* cellCount,
                            std::size_t maxCells) {
    Rng rng(seed);
    CellWriter writer(rng);
    std::string doc;
    doc.reserve(maxBytes + 256);
    std::size_t cells = 0;
    int stored = 0;  // memory cells v0 .. v(stored-1) exist once their cell ran
    while (true) {
        std::string line;
        if (rng.Percent(3)) line += "// subtotal " + std::to_string(cells) + "\n";
        std::string expr = writer.Build(rng.Between(3, 12)).text;
        if (stored > 0 && rng.Percent(6)) {
            expr =
                "mem[v" + std::to_string(rng.Between(0, stored - 1)) + "]*" + writer.Bracket(expr);
        } else if (rng.Percent(2)) {
            expr = "rslt+" + writer.Bracket(expr);
        }
        if (rng.Percent(5)) expr += "->mem[v" + std::to_string(stored++) + "]";
        line += expr;
        const int tail = rng.Between(0, 99);
        if (tail < 15) {
            line += " = " + writer.Number();  // a stale result to be replaced
        } else if (tail < 25) {
            line += " =";
        } else if (tail < 28) {
            line += " /* check */";
        }
        line += ";\n";
        if (doc.size() + line.size() > maxBytes || cells == maxCells) break;
        doc += line;
        ++cells;
    }
    if (cellCount != nullptr) *cellCount = cells;
    return doc;
}

PeerDocument CommonDocument(std::size_t maxBytes, uint64_t seed) {
    Rng rng(seed);
    CommonWriter writer(rng);
    PeerDocument doc;
    doc.calculator.reserve(maxBytes + 256);
    doc.peer.reserve(maxBytes + maxBytes / 8);
    for (;;) {
        const Pair cell = writer.Build(rng.Between(3, 12));
        if (doc.calculator.size() + cell.calculator.size() + 2 > maxBytes) break;
        doc.calculator += cell.calculator + ";\n";
        doc.peer += cell.peer + "\n";
        ++doc.cells;
    }
    return doc;
}

std::string SumChain(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) {
        if (i > 1) s += '+';
        s += std::to_string(i);
    }
    return s;
}

std::string ProductChain(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += i == 0 ? "1.0000001" : "*1.0000001";
    return s;
}

std::string PowerChain(int n) {
    std::string s = "1.0000001";
    for (int i = 1; i < n; ++i) s += "^1";
    return s;
}

std::string NestedSums(int levels) {
    std::string s;
    for (int i = 0; i < levels; ++i) s += "(1+";
    s += '1';
    s.append(static_cast<std::size_t>(levels), ')');
    return s;
}

std::string NestedBrackets(int levels, const std::string& core) {
    return std::string(static_cast<std::size_t>(levels), '(') + core +
           std::string(static_cast<std::size_t>(levels), ')');
}

std::string FormatResult(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.19g", value);
    std::string s = buffer;
    // Only the decimal point can differ between locales.
    for (char& c : s) {
        if (c == ',') c = '.';
    }
    return s;
}

PeerDocument CommonInput() { return CommonDocument(kMiB, kCommonSeed); }

std::vector<BenchInput> AllInputs() {
    std::vector<BenchInput> inputs;

    BenchInput doc{"typical_1mib", "", "", Outcome::Succeeds, 0};
    doc.text = TypicalDocument(kMiB, kDocumentSeed, &doc.cells);
    inputs.push_back(std::move(doc));

    for (const std::size_t cells : {std::size_t{1000}, std::size_t{10000}}) {
        BenchInput part{"typical_" + std::to_string(cells / 1000) + "k", "", "", Outcome::Succeeds,
                        0};
        part.text = TypicalDocument(kMiB, kDocumentSeed, &part.cells, cells);
        inputs.push_back(std::move(part));
    }

    BenchInput doc4{"typical_4mib", "", "", Outcome::Succeeds, 0};
    doc4.text = TypicalDocument(4 * kMiB, kDocumentSeed, &doc4.cells);
    inputs.push_back(std::move(doc4));

    PeerDocument common = CommonInput();
    inputs.push_back(
        {"common_1mib", std::move(common.calculator), "", Outcome::Succeeds, common.cells});

    BenchInput sum{"sum_100000", SumChain(100000), "", Outcome::Succeeds, 1};
    sum.expected = sum.text + "=5000050000";
    inputs.push_back(std::move(sum));

    // Left to right in doubles, as the product chain is evaluated.
    double product = 1.0000001;
    for (int i = 1; i < 100000; ++i) product *= 1.0000001;
    BenchInput mul{"product_100000", ProductChain(100000), "", Outcome::Succeeds, 1};
    mul.expected = mul.text + "=" + FormatResult(product);
    inputs.push_back(std::move(mul));

    BenchInput pow{"power_100000", PowerChain(100000), "", Outcome::Succeeds, 1};
    pow.expected = pow.text + "=" + FormatResult(1.0000001);
    inputs.push_back(std::move(pow));

    BenchInput nested{"nested_sums_1000", NestedSums(1000), "", Outcome::Succeeds, 1};
    nested.expected = nested.text + "=1001";
    inputs.push_back(std::move(nested));

    BenchInput brackets{"nested_brackets_1000", NestedBrackets(1000, "2"), "", Outcome::Succeeds,
                        1};
    brackets.expected = brackets.text + "=2";
    inputs.push_back(std::move(brackets));

    // Deeper than any document needs: the engine may give up on it.
    BenchInput deep{"nested_brackets_100000", NestedBrackets(100000, "1"), "",
                    Outcome::ResultOrGiveUp, 1};
    deep.expected = deep.text + "=1";
    inputs.push_back(std::move(deep));

    inputs.push_back({"open_brackets_1mib", std::string(kMiB, '('), "", Outcome::SyntaxError, 1});
    inputs.push_back({"minus_signs_1mib", std::string(kMiB, '-'), "", Outcome::SyntaxError, 1});

    return inputs;
}

}  // namespace NumeraBench
