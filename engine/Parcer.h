// The parser: CParcer carries the parsing operations, CNode the node data.
//
// Operand texts are views into the prepared expression held by BracketTable.
// A bracket group stays in the text as "(...)" and plays the part of a
// placeholder: every search looks only at the top level of an operand.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
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
    void clear() {
        count_ = 0;
        heap_.clear();
    }
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
    std::array<T, N> inline_;  // only the first count_ are ever read
    std::size_t count_ = 0;
    std::vector<T> heap_;
};

using SplitList = GrowingList<std::ptrdiff_t, 16>;

// The process-wide table of the parse in progress: the expression as given,
// its prepared space-free copy and its bracket pairs (a group is its own
// placeholder).
struct BracketTableData {
    // What a compact code unit is to the operator searches, found once for
    // the whole expression (bits).
    enum Kind : uint8_t {
        kOpen = 1,     // "("
        kArrow = 2,    // the "-" of "->"
        kSign = 4,     // "+" or "-" that is no exponent's sign (infix unless it leads its operand)
        kProduct = 8,  // "*", "×", "/", "÷"
        kPower = 16,   // "^"
    };

    std::u16string_view source;      // the expression being parsed
    std::u16string compact;          // prepared, without U+0020 (its first `length` units)
    std::vector<int32_t> textIndex;  // source index of each unit
    std::vector<int32_t> partner;    // compact index of the matching bracket
    std::vector<uint8_t> kind;       // Kind bits of each unit that has any
    std::vector<int32_t> next;       // the first index at or after this one with a kind
    std::size_t length = 0;

    void Reset();
    std::ptrdiff_t IndexOf(const char16_t* p) const { return p - compact.data(); }
};

// A node's children, owned by the node arena rather than by the node.
template <typename T>
class NodeRef {
public:
    NodeRef() = default;
    NodeRef(T* node) : node_(node) {}  // NOLINT(google-explicit-constructor)
    T* get() const { return node_; }
    T* operator->() const { return node_; }
    T& operator*() const { return *node_; }
    explicit operator bool() const { return node_ != nullptr; }

private:
    T* node_ = nullptr;
};

// Storage of the nodes of one tree: bump allocation in blocks that are kept
// from one tree to the next, so parsing a cell costs no heap allocation once
// the blocks have grown to the largest cell. Release destroys every node at
// once; nothing recurses, however long a chain is.
class NodeArena {
public:
    NodeArena() = default;
    ~NodeArena() { Release(); }
    NodeArena(const NodeArena&) = delete;
    NodeArena& operator=(const NodeArena&) = delete;

    template <typename T>
    T* Create();

    // Room for `count` code units that live as long as the tree.
    char16_t* Text(std::size_t count) {
        return static_cast<char16_t*>(Allocate(count * sizeof(char16_t), alignof(char16_t)));
    }

    // Destroys every node, newest first, and keeps the blocks.
    void Release();

private:
    // Inline: a node is made for nearly every unit of an expression.
    void* Allocate(std::size_t size, std::size_t align) {
        const std::size_t pad = (0 - reinterpret_cast<std::uintptr_t>(cursor_)) & (align - 1);
        if (size + pad <= static_cast<std::size_t>(limit_ - cursor_)) {
            void* start = cursor_ + pad;
            cursor_ += pad + size;
            return start;
        }
        return AllocateInNextBlock(size, align);
    }
    void* AllocateInNextBlock(std::size_t size, std::size_t align);

    struct Block {
        std::unique_ptr<std::byte[]> data;
        std::size_t size = 0;
    };
    std::vector<Block> blocks_;
    std::size_t current_ = 0;      // the block being filled
    std::byte* cursor_ = nullptr;  // its first free byte
    std::byte* limit_ = nullptr;   // its end
    std::vector<CNode*> nodes_;    // the nodes whose destructors free something
};

extern BracketTableData BracketTable;

// Wide white space as this program classifies it (Unicode White_Space).
bool IsWideSpace(char16_t c);

// The loosest infix operator at the top level of an operand, and where it
// occurs (every occurrence, left to right), from one scan of the operand.
struct TopLevelOperators {
    enum Level { None, Store, Sum, Product, Power };
    Level level = None;
    SplitList splits;
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
    // A new node in the arena of the tree being parsed.
    template <typename T>
    T* New();

    // Appends the top of a left-deep chain of nodes split at `splits`
    // (operators of `width` code units) as one child of GetNode().
    template <typename MakeNode>
    void AppendChain(std::u16string_view s, const SplitList& splits, std::size_t width,
                     MakeNode make);
};

class CNode : public CParcer {
public:
    // A root parses into `arena` (released by its owner), or without one
    // into an arena of its own.
    explicit CNode(NodeArena* arena = nullptr) : arena_(arena) {}
    ~CNode() override = default;
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    CNode* GetNode() override { return this; }
    bool Parse() override;
    bool Evaluate(double& value) override;

    // Called on a fresh root: prepares the text and parses it.
    bool ParseText(std::u16string_view text);

    SmallList<std::u16string_view, 2> operands;
    SmallList<NodeRef<CNode>, 2> children;

    // Set when children[0] was built by a chain (left-deep) split: the
    // operand 0 is then already parsed.
    bool chainedLeft = false;

protected:
    // A framed node's operation code (see CFramedNode), here where it takes
    // no room: in the padding after chainedLeft.
    uint8_t frameCode_ = 0;

public:
    // Whether the class holds memory of its own that its destructor frees;
    // the arena runs the destructors of those classes only.
    static constexpr bool kHoldsMemory = false;

protected:
    friend class CParcer;
    friend class NodeArena;
    // Parses the operands from `first` on, each into one child.
    virtual bool ParseOperands(std::size_t first);

    NodeArena* arena_ = nullptr;
    std::unique_ptr<NodeArena> ownArena_;
};

template <typename T>
T* NodeArena::Create() {
    void* storage = Allocate(sizeof(T), alignof(T));
    if constexpr (T::kHoldsMemory) {
        // Room first: the list cannot fail once the node exists.
        if (nodes_.size() == nodes_.capacity())
            nodes_.reserve(std::max<std::size_t>(64, 2 * nodes_.size()));
    }
    T* node = new (storage) T();
    node->arena_ = this;
    if constexpr (T::kHoldsMemory) nodes_.push_back(node);
    return node;
}

template <typename T>
T* CParcer::New() {
    return GetNode()->arena_->template Create<T>();
}

// Where a node of the tree just parsed stands in the expression given to
// ParseText: [begin, end) of its source, the groups cut around it and the
// keyword or "mem" before its group included. False when it has no text.
bool SourceSpanOf(const CNode& node, std::size_t& begin, std::size_t& end);

// Every function keyword the parser accepts, in its table's order.
std::vector<std::u16string_view> FunctionKeywords();

}  // namespace NCalculatorText
