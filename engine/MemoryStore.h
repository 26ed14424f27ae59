// Named memory cells and the last result, process-wide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace NCalculatorText {

struct MemoryCell {
    std::u16string name;
    double value = 0.0;
    int32_t mark = 0;
};

// Ordered by name, code unit by code unit (unsigned), prefixes first.
class MemoryStore {
public:
    using Map = std::map<std::u16string, MemoryCell, std::less<>>;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;

    static MemoryStore& Instance();

    MemoryCell* Find(std::u16string_view name);
    bool Read(std::u16string_view name, double& value);
    MemoryCell& Assign(std::u16string_view name, double value);
    iterator Erase(iterator cell);
    void EraseMarked();
    void Clear();
    std::size_t Count() const { return cells_.size(); }
    // Exchanges the cells and the changed flag; the cells themselves stay
    // where they are in memory.
    void Swap(MemoryStore& other) noexcept {
        cells_.swap(other.cells_);
        std::swap(changed, other.changed);
    }

    iterator begin() { return cells_.begin(); }
    iterator end() { return cells_.end(); }
    const_iterator begin() const { return cells_.begin(); }
    const_iterator end() const { return cells_.end(); }

    bool changed = false;

private:
    Map cells_;
};

// Value of the most recently calculated cell of any run.
extern double lastResult;

}  // namespace NCalculatorText
