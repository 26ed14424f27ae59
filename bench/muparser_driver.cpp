// The peer of numera-cli in the benchmark: a plain expression parser that
// calculates one expression a line, as a user of that library would. It
// parses every line again, as the calculator does.
//   numera-muparser FILE   prints "%.19g" of every line's value
#include <muParser.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: numera-muparser FILE\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) {
        std::perror(argv[1]);
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
