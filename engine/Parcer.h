// The parser: CParcer carries the parsing operations, CNode the node data.
//
// Operand texts are views into the prepared expression held by BracketTable.
// A bracket group stays in the text as "(...)" and plays the part of a
// placeholder: every search looks only at the top level of an operand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Diagnostics.h"

namespace NCalculatorText {

class CNode;

// Deeper bracket nesting is given up as a syntax error.
inline constexpr int kMaxNestingDepth = 2000;

// Fixed-capacity ordered list (a node has at most two operands and children).
template <typename T, std::size_t N>
class SmallList {
public:
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    T& back() { return items_[count_ - 1]; }
    void push_back(T item) { items_[count_++] = std::move(item); }
    T* begin() { return items_.data(); }
    T* end() { return items_.data() + count_; }
    void clear() {
        for (std::size_t i = 0; i < count_; ++i) items_[i] = T();
        count_ = 0;
    }

private:
    std::array<T, N> items_{};
    std::size_t count_ = 0;
};

// A short list that grows onto the heap only past its inline capacity.
template <typename T, std::size_t N>
class GrowingList {
public:
    std::size_t size() const { return heap_.empty() ? count_ : heap_.size(); }
    bool empty() const { return size() == 0; }
    const T& operator[](std::size_t i) const { return heap_.empty() ? inline_[i] : heap_[i]; }
    T& operator[](std::size_t i) { return heap_.empty() ? inline_[i] : heap_[i]; }
    T& back() { return (*this)[size() - 1]; }
    void push_back(const T& item) {
        if (heap_.empty() && count_ < N) {
            inline_[count_++] = item;
            return;
        }
        if (heap_.empty())
            heap_.assign(inline_.begin(), inline_.begin() + static_cast<std::ptrdiff_t>(count_));
        heap_.push_back(item);
    }

private:
    std::array<T, N> inline_{};
    std::size_t count_ = 0;
    std::vector<T> heap_;
};

using SplitList = GrowingList<std::ptrdiff_t, 16>;

// The process-wide table of the parse in progress: the prepared expression,
// its space-free copy and its bracket pairs (a group is its own placeholder).
struct BracketTableData {
    std::u16string text;             // prepared expression (spaces kept)
    std::u16string compact;          // the same without U+0020
    std::vector<int32_t> textIndex;  // compact index -> text index
    std::vector<int32_t> partner;    // compact index of the matching bracket

    void Reset();
    std::ptrdiff_t IndexOf(const char16_t* p) const { return p - compact.data(); }
};

extern BracketTableData BracketTable;

// Wide white space as this program classifies it (Unicode White_Space).
bool IsWideSpace(char16_t c);

// Which infix operators occur at the top level of an operand.
struct TopLevelOperators {
    bool store = false;
    bool sum = false;
    bool product = false;
    bool power = false;
};

class CParcer {
public:
    virtual ~CParcer() = default;
    virtual CNode* GetNode() = 0;
    virtual bool Parse() = 0;
    virtual bool Evaluate(double& value) = 0;

    bool ParseOperand(std::u16string_view& s);
    // The infix forms split at every top-level occurrence of their operator;
    // `top` (one scan of the operand) tells which operators occur.
    bool ParseStore(std::u16string_view s, const TopLevelOperators& top);
    bool ParseSum(std::u16string_view s, const TopLevelOperators& top);
    bool ParseNegation(std::u16string_view s);
    bool ParseProduct(std::u16string_view s, const TopLevelOperators& top);
    bool ParsePower(std::u16string_view s, const TopLevelOperators& top);
    bool ParseFunction(std::u16string_view s);
    bool ParseMemory(std::u16string_view s);
    bool ParseTerminal(std::u16string_view s);

    // s exactly one group: s becomes its content.
    static bool ExpandPlaceholder(std::u16string_view& s);

protected:
    // Appends the top of a left-deep chain of nodes split at `splits`
    // (operators of `width` code units) as one child of GetNode().
    template <typename MakeNode>
    void AppendChain(std::u16string_view s, const SplitList& splits, std::size_t width,
                     MakeNode make);
};

class CNode : public CParcer {
public:
    CNode() = default;
    ~CNode() override;
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    CNode* GetNode() override { return this; }
    bool Parse() override;
    bool Evaluate(double& value) override;

    // Called on a fresh root: prepares the text and parses it.
    bool ParseText(std::u16string_view text);

    SmallList<std::u16string_view, 2> operands;
    SmallList<std::unique_ptr<CNode>, 2> children;

    // Set when children[0] was built by a chain (left-deep) split: the
    // operand 0 is then already parsed.
    bool chainedLeft = false;

protected:
    friend class CParcer;
    // Parses the operands from `first` on, each into one child.
    virtual bool ParseOperands(std::size_t first);
};

// Every function keyword the parser accepts, in its table's order.
std::vector<std::u16string_view> FunctionKeywords();

}  // namespace NCalculatorText
