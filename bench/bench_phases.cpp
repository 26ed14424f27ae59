// In-process timings of each step numera-cli takes on a document, so that a
// regression shows where it happened: decode (UTF-8 to code units), blank
// comments (the scratch copy), parse, evaluate, format ("%.19g") and encode
// (code units to UTF-8). The cells are cut as the driver cuts them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchInputs.h"
#include "engine/CalculateText.h"
#include "engine/Diagnostics.h"
#include "engine/FileText.h"
#include "engine/MemoryStore.h"
#include "engine/NumberFormat.h"
#include "engine/Parcer.h"

namespace {

using namespace NCalculatorText;

struct Document {
    std::string bytes;                       // the file as numera-cli reads it
    std::u16string text;                     // decoded
    std::u16string blanked;                  // comments blanked
    std::vector<std::u16string_view> cells;  // each cell's expression, in `blanked`
    std::vector<double> values;              // each cell's value
    std::u16string calculated;               // the text after Calculate all
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

Document Load(const std::string& bytes) {
    Document doc;
    doc.bytes = bytes;
    DecodeUtf8(doc.bytes, doc.text);
    doc.blanked = doc.text;
    std::size_t unclosed = 0;
    BlankComments(doc.blanked, unclosed);
    // The expression of a cell: up to its last "=", or its last non-blank.
    const std::u16string_view all(doc.blanked);
    std::size_t p = 0;
    while (p < all.size()) {
        std::size_t e = all.find(u';', p);
        if (e == std::u16string_view::npos) e = all.size();
        std::u16string_view cell = all.substr(p, e - p);
        p = e + 1;
        const std::size_t q = cell.rfind(u'=');
        if (q != std::u16string_view::npos) {
            cell = cell.substr(0, q);
        } else {
            std::size_t last = cell.size();
            while (last > 0 && IsBlank(cell[last - 1])) --last;
            if (last == 0) continue;
        }
        doc.cells.push_back(cell);
    }
    NodeArena arena;
    ResetEngineState(Radians);
    for (const auto cell : doc.cells) {
        CNode root(&arena);
        double value = 0;
        if (root.ParseText(cell)) root.children[0]->Evaluate(value);
        doc.values.push_back(value);
        arena.Release();
    }
    doc.calculated = doc.text;
    int32_t position = -1;
    CalculateText(doc.calculated, position);
    MemoryStore::Instance().Clear();
    return doc;
}

void Decode(benchmark::State& state, const Document* doc) {
    for (auto _ : state) {
        std::u16string text;
        DecodeUtf8(doc->bytes, text);
        benchmark::DoNotOptimize(text.data());
    }
}

void Blank(benchmark::State& state, const Document* doc) {
    for (auto _ : state) {
        std::u16string copy = doc->text;
        std::size_t unclosed = 0;
        benchmark::DoNotOptimize(BlankComments(copy, unclosed));
    }
}

void Parse(benchmark::State& state, const Document* doc) {
    NodeArena arena;
    for (auto _ : state) {
        for (const auto cell : doc->cells) {
            CNode root(&arena);
            benchmark::DoNotOptimize(root.ParseText(cell));
            arena.Release();
        }
    }
}

// Every tree parsed once (evaluation reads no operand text), then evaluated.
void Evaluate(benchmark::State& state, const Document* doc) {
    NodeArena arena;
    std::vector<std::unique_ptr<CNode>> roots;
    for (const auto cell : doc->cells) {
        roots.push_back(std::make_unique<CNode>(&arena));
        roots.back()->ParseText(cell);
    }
    for (auto _ : state) {
        ResetEngineState(Radians);
        for (const auto& root : roots) {
            double value = 0;
            if (!root->children.empty()) root->children[0]->Evaluate(value);
            benchmark::DoNotOptimize(value);
        }
    }
    MemoryStore::Instance().Clear();
}

// Every result as the driver writes it, under one choice of result digits.
void FormatUnder(benchmark::State& state, const Document* doc, ResultDigits digits) {
    for (auto _ : state) {
        for (const double value : doc->values) {
            char16_t out[kFormatCapacity];
            benchmark::DoNotOptimize(FormatResultTo(value, digits, out));
        }
    }
}

void Format(benchmark::State& state, const Document* doc) { FormatUnder(state, doc, {}); }

void FormatShortest(benchmark::State& state, const Document* doc) {
    FormatUnder(state, doc, {ResultDigits::Shortest, 0});
}

void FormatDecimals(benchmark::State& state, const Document* doc) {
    FormatUnder(state, doc, {ResultDigits::Decimals, 2});
}

void Encode(benchmark::State& state, const Document* doc) {
    for (auto _ : state) {
        std::string bytes = EncodeUtf8(doc->calculated);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void Whole(benchmark::State& state, const Document* doc) {
    for (auto _ : state) {
        std::u16string text = doc->text;
        int32_t position = -1;
        benchmark::DoNotOptimize(CalculateText(text, position));
    }
    MemoryStore::Instance().Clear();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::unique_ptr<Document>> documents;
    for (const auto& input : NumeraBench::AllInputs()) {
        if (input.name != "typical_1mib" && input.name != "common_1mib") continue;
        documents.push_back(std::make_unique<Document>(Load(input.text)));
        const Document* doc = documents.back().get();
        const struct {
            const char* phase;
            void (*run)(benchmark::State&, const Document*);
        } phases[] = {{"decode", Decode},
                      {"blank_comments", Blank},
                      {"parse", Parse},
                      {"evaluate", Evaluate},
                      {"format", Format},
                      {"encode", Encode},
                      {"calculate_all", Whole},
                      {"format_shortest", FormatShortest},
                      {"format_fix2", FormatDecimals}};
        for (const auto& phase : phases) {
            benchmark::RegisterBenchmark((input.name + "/" + phase.phase).c_str(), phase.run, doc)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
