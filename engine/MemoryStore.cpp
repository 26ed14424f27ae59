#include "engine/MemoryStore.h"

namespace NCalculatorText {

double lastResult = 0.0;

MemoryStore& MemoryStore::Instance() {
    static MemoryStore store;
    return store;
}

MemoryCell* MemoryStore::Find(std::u16string_view name) {
    auto it = cells_.lower_bound(name);
    if (it == cells_.end() || it->first != name) return nullptr;
    return &it->second;
}

bool MemoryStore::Read(std::u16string_view name, double& value) {
    MemoryCell* cell = Find(name);
    if (cell == nullptr) return false;
    value = cell->value;
    changed = true;
    return true;
}

MemoryCell& MemoryStore::Assign(std::u16string_view name, double value) {
    auto it = cells_.lower_bound(name);
    if (it == cells_.end() || it->first != name) {
        std::u16string key(name);
        it = cells_.emplace_hint(it, key, MemoryCell{key, 0.0, 0});
    }
    it->second.value = value;
    changed = true;
    return it->second;
}

MemoryStore::iterator MemoryStore::Erase(iterator cell) {
    changed = true;
    return cells_.erase(cell);
}

void MemoryStore::EraseMarked() {
    for (auto it = cells_.begin(); it != cells_.end();) {
        if (it->second.mark != 0) {
            it = cells_.erase(it);
        } else {
            ++it;
        }
    }
    changed = true;
}

void MemoryStore::Clear() {
    cells_.clear();
    changed = true;
}

}  // namespace NCalculatorText
