// The expression language, in the order ParseOperand tries its forms,
// loosest first. ParseText has already dropped spaces, tabs and line breaks,
// made "[ ]" and "{ }" into "( )" and paired the brackets; an operator counts
// only outside brackets. The first level whose operator occurs splits the
// operand at every occurrence of it, and each piece is parsed again from the
// top; the chain is left-deep, so all infix operators associate to the left.
//
//   1  store     := operand "->" memory { "->" memory }
//   2  sum       := operand ("+" | "-") operand { ("+" | "-") operand }
//                   (a sign at the front, or right after the "e" of a number, is not infix)
//   3  negation  := "-" operand
//   4  product   := operand ("*" | "×" | "/" | "÷") operand { ... }
//   5  power     := operand "^" operand { "^" operand }
//   6  function  := keyword group                  keyword: one of kKeywords, 1 to 8 letters
//   7  memory    := ("memory" | "mem") group       the group's text, trimmed, is the name
//   8  terminal  := ["+"] ("pi" | "π" | "e" | "result" | "rslt" | number)
//      number    := mantissa ["e" ["+" | "-"] digit {digit}]
//      mantissa  := digits with at most one "." or "," and at least one digit
//   9  group     := "(" operand ")"                the whole operand; its content is parsed instead
//
// So "-" binds looser than "*", "/" and "^" but tighter than infix "+" and
// "-"; a sign right after another operator ("2*-3") leaves an empty piece,
// and there is no implicit multiplication ("2pi").

#include "engine/Parcer.h"

#include <algorithm>

#include "engine/Nodes.h"
#include "engine/NumberFormat.h"

namespace NCalculatorText {

BracketTableData BracketTable;

void BracketTableData::Reset() {
    source = {};
    length = 0;
}

void* NodeArena::AllocateInNextBlock(std::size_t size, std::size_t align) {
    // The blocks after the current one are kept from earlier trees.
    while (current_ + 1 < blocks_.size()) {
        ++current_;
        cursor_ = blocks_[current_].data.get();
        limit_ = cursor_ + blocks_[current_].size;
        if (size + align <= blocks_[current_].size) return Allocate(size, align);
    }
    // Each block twice the one before: a long chain takes few blocks.
    const std::size_t previous = blocks_.empty() ? 0 : blocks_.back().size;
    const std::size_t grown = std::max<std::size_t>(16 * 1024, 2 * previous);
    Block block;
    block.size = std::max(grown, size + align);
    // Not zeroed: a node is constructed in place before any use.
    block.data.reset(new std::byte[block.size]);
    blocks_.push_back(std::move(block));
    current_ = blocks_.size() - 1;
    cursor_ = blocks_[current_].data.get();
    limit_ = cursor_ + blocks_[current_].size;
    return Allocate(size, align);
}

void NodeArena::Release() {
    // The other nodes own nothing: their storage is simply reused.
    for (std::size_t i = nodes_.size(); i-- > 0;) nodes_[i]->~CNode();
    nodes_.clear();
    current_ = 0;
    cursor_ = blocks_.empty() ? nullptr : blocks_[0].data.get();
    limit_ = blocks_.empty() ? nullptr : cursor_ + blocks_[0].size;
}

bool IsWideSpace(char16_t c) {
    if (c >= 0x09 && c <= 0x0D) return true;
    switch (c) {
        case 0x20:
        case 0x85:
        case 0xA0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return c >= 0x2000 && c <= 0x200A;
    }
}

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Index, within s, of the bracket that pairs with the one at index i of s.
std::size_t PartnerOf(std::u16string_view s, std::size_t i) {
    const std::ptrdiff_t offset = BracketTable.IndexOf(s.data());
    return static_cast<std::size_t>(BracketTable.partner[static_cast<std::size_t>(offset) + i] -
                                    offset);
}

template <typename T>
CNode* Make(NodeArena& arena) {
    return arena.Create<T>();
}

struct Keyword {
    std::u16string_view name;
    CNode* (*make)(NodeArena&);
};

constexpr Keyword kKeywords[] = {
    {u"sqrt", Make<CNodeSqrt>},       {u"\u221A", Make<CNodeSqrt>},
    {u"abs", Make<CNodeAbs>},         {u"sign", Make<CNodeSign>},
    {u"fact", Make<CNodeFactorial>},  {u"exp", Make<CNodeExp>},
    {u"ln", Make<CNodeLn>},           {u"lg", Make<CNodeLg>},
    {u"log", Make<CNodeLg>},          {u"sin", Make<CNodeSin>},
    {u"cos", Make<CNodeCos>},         {u"tan", Make<CNodeTg>},
    {u"tg", Make<CNodeTg>},           {u"cot", Make<CNodeCtg>},
    {u"ctg", Make<CNodeCtg>},         {u"sec", Make<CNodeSec>},
    {u"csc", Make<CNodeCosec>},       {u"cosec", Make<CNodeCosec>},
    {u"asin", Make<CNodeArcSin>},     {u"arcsin", Make<CNodeArcSin>},
    {u"acos", Make<CNodeArcCos>},     {u"arccos", Make<CNodeArcCos>},
    {u"atan", Make<CNodeArcTg>},      {u"arctan", Make<CNodeArcTg>},
    {u"arctg", Make<CNodeArcTg>},     {u"arccot", Make<CNodeArcCtg>},
    {u"arcctg", Make<CNodeArcCtg>},   {u"arcsec", Make<CNodeArcSec>},
    {u"arccsc", Make<CNodeArcCosec>}, {u"arccosec", Make<CNodeArcCosec>},
    {u"sinh", Make<CNodeSh>},         {u"sh", Make<CNodeSh>},
    {u"cosh", Make<CNodeCh>},         {u"ch", Make<CNodeCh>},
    {u"tanh", Make<CNodeTh>},         {u"th", Make<CNodeTh>},
    {u"coth", Make<CNodeCth>},        {u"cth", Make<CNodeCth>},
    {u"sech", Make<CNodeSech>},       {u"csch", Make<CNodeCsch>},
    {u"arsinh", Make<CNodeArSh>},     {u"arsh", Make<CNodeArSh>},
    {u"arcosh", Make<CNodeArCh>},     {u"arch", Make<CNodeArCh>},
    {u"artanh", Make<CNodeArTh>},     {u"arth", Make<CNodeArTh>},
    {u"arcoth", Make<CNodeArCth>},    {u"arcth", Make<CNodeArCth>},
    {u"arsech", Make<CNodeArSch>},    {u"arsch", Make<CNodeArSch>},
    {u"arcsch", Make<CNodeArCsch>},
};

using KeywordMaker = CNode* (*)(NodeArena&);

constexpr std::size_t kKeywordCount = sizeof(kKeywords) / sizeof(kKeywords[0]);
constexpr std::size_t kLongestKeyword = 8;

// The keywords by length: those of length L are order[start[L]] .. order[start[L + 1] - 1].
struct KeywordIndex {
    std::array<uint8_t, kLongestKeyword + 2> start{};
    std::array<uint8_t, kKeywordCount> order{};
};

constexpr KeywordIndex MakeKeywordIndex() {
    KeywordIndex index;
    std::size_t filled = 0;
    for (std::size_t length = 0; length <= kLongestKeyword; ++length) {
        index.start[length] = static_cast<uint8_t>(filled);
        for (std::size_t k = 0; k < kKeywordCount; ++k) {
            if (kKeywords[k].name.size() == length) index.order[filled++] = static_cast<uint8_t>(k);
        }
    }
    index.start[kLongestKeyword + 1] = static_cast<uint8_t>(filled);
    return index;
}

constexpr KeywordIndex kKeywordIndex = MakeKeywordIndex();

KeywordMaker FindKeyword(std::u16string_view keyword) {
    const std::size_t length = keyword.size();
    if (length == 0 || length > kLongestKeyword) return nullptr;
    for (std::size_t i = kKeywordIndex.start[length]; i < kKeywordIndex.start[length + 1]; ++i) {
        const Keyword& k = kKeywords[kKeywordIndex.order[i]];
        std::size_t j = 0;
        while (j < length && k.name[j] == keyword[j]) ++j;
        if (j == length) return k.make;
    }
    return nullptr;
}

}  // namespace

std::vector<std::u16string_view> FunctionKeywords() {
    std::vector<std::u16string_view> names;
    for (const Keyword& k : kKeywords) names.push_back(k.name);
    return names;
}

bool SourceSpanOf(const CNode& node, std::size_t& begin, std::size_t& end) {
    const BracketTableData& table = BracketTable;
    const std::size_t length = table.length;
    if (node.operands.empty() || length == 0) return false;
    const char16_t* base = table.compact.data();
    std::size_t b = length;
    std::size_t e = 0;
    for (std::size_t i = 0; i < node.operands.size(); ++i) {
        const std::u16string_view operand = node.operands[i];
        if (operand.data() < base || operand.data() > base + length) return false;
        const auto first = static_cast<std::size_t>(operand.data() - base);
        b = std::min(b, first);
        e = std::max(e, first + operand.size());
    }
    if (b >= e) return false;
    const auto partner = [&table](std::size_t i) {
        return static_cast<std::size_t>(table.partner[i]);
    };
    // Parsing strips the brackets of a group: give them back where the span
    // holds one of the pair, or is exactly a group's content.
    for (bool widened = true; widened;) {
        widened = false;
        if (b > 0 && base[b - 1] == u'(' && partner(b - 1) <= e) {
            --b;
            widened = true;
            if (partner(b) == e) ++e;
        } else if (e < length && base[e] == u')' && partner(e) >= b) {
            ++e;
            widened = true;
        }
    }
    // The keyword, "mem" or "memory" in front of a group.
    if (base[b] == u'(') {
        while (b > 0 && ((base[b - 1] >= u'a' && base[b - 1] <= u'z') || base[b - 1] == u'\u221A'))
            --b;
    }
    begin = static_cast<std::size_t>(table.textIndex[b]);
    end = static_cast<std::size_t>(table.textIndex[e - 1]) + 1;
    return true;
}

// ---------------------------------------------------------------------------
// Text routines

// group := "(" operand ")", the brackets pairing each other
bool CParcer::ExpandPlaceholder(std::u16string_view& s) {
    if (s.size() < 2 || s.front() != u'(' || PartnerOf(s, 0) != s.size() - 1) return false;
    s = s.substr(1, s.size() - 2);
    return true;
}

template <typename MakeNode>
void CParcer::AppendChain(std::u16string_view s, const SplitList& splits, std::size_t width,
                          MakeNode make) {
    CNode* chain = nullptr;
    for (std::size_t k = 0; k < splits.size(); ++k) {
        const auto p = static_cast<std::size_t>(splits[k]);
        const std::size_t end =
            k + 1 < splits.size() ? static_cast<std::size_t>(splits[k + 1]) : s.size();
        CNode* node = make(p);
        node->operands.push_back(s.substr(0, p));
        node->operands.push_back(s.substr(p + width, end - p - width));
        if (chain != nullptr) {
            node->children.push_back(chain);
            node->chainedLeft = true;
        }
        chain = node;
    }
    GetNode()->children.push_back(chain);
}

// ---------------------------------------------------------------------------
// The dispatcher and its recognizers

namespace {

// One scan of the operand's top level, groups skipped, using the kinds
// found for the whole expression: the loosest operator and its splits.
// A sign at the very front of an operand is never infix.
void ScanOperators(std::u16string_view s, TopLevelOperators& found) {
    const BracketTableData& table = BracketTable;
    const std::ptrdiff_t offset = table.IndexOf(s.data());
    const uint8_t* kind = table.kind.data() + offset;
    const int32_t* partner = table.partner.data() + offset;
    using Level = TopLevelOperators::Level;
    found.level = TopLevelOperators::None;
    found.splits.clear();
    auto note = [&](Level level, std::size_t i) {
        if (found.level != level) {
            found.level = level;
            found.splits.clear();
        }
        found.splits.push_back(static_cast<std::ptrdiff_t>(i));
    };
    const int32_t* next = table.next.data() + offset;
    const std::size_t n = s.size();
    for (auto i = static_cast<std::size_t>(next[0] - offset); i < n;
         i = static_cast<std::size_t>(next[i + 1] - offset)) {
        const uint8_t k = kind[i];
        if (k & BracketTableData::kOpen) {
            i = static_cast<std::size_t>(partner[i] - offset);
        } else if (k & BracketTableData::kArrow) {
            note(TopLevelOperators::Store, i);
        } else if (found.level == TopLevelOperators::Store) {  // NOLINT(bugprone-branch-clone)
            continue;
        } else if (k & BracketTableData::kSign) {
            if (i != 0) note(TopLevelOperators::Sum, i);
        } else if (found.level == TopLevelOperators::Sum) {
            continue;
        } else if (k & BracketTableData::kProduct) {
            note(TopLevelOperators::Product, i);
        } else if (found.level != TopLevelOperators::Product) {
            note(TopLevelOperators::Power, i);  // "^"
        }
    }
}

}  // namespace

// operand := store | sum | negation | product | power | function | memory | terminal | group
bool CParcer::ParseOperand(std::u16string_view& s) {
    TopLevelOperators top;
    for (;;) {
        // Exactly one group: no form but the group itself can take it.
        if (!s.empty() && s.front() == u'(' && PartnerOf(s, 0) == s.size() - 1) {
            s = s.substr(1, s.size() - 2);
            continue;
        }
        ScanOperators(s, top);
        // No operator and a number's first character: a number or nothing.
        if (top.level == TopLevelOperators::None && !s.empty() &&
            (IsDigit(s.front()) || s.front() == u'.' || s.front() == u',')) {
            return ParseTerminal(s);
        }
        if (ParseStore(s, top) || ParseSum(s, top) || ParseNegation(s) || ParseProduct(s, top) ||
            ParsePower(s, top) || ParseFunction(s) || ParseMemory(s) || ParseTerminal(s)) {
            return true;
        }
        if (!ExpandPlaceholder(s)) return false;
    }
}

// store := operand "->" memory { "->" memory }
bool CParcer::ParseStore(std::u16string_view s, const TopLevelOperators& top) {
    if (top.level != TopLevelOperators::Store) return false;
    AppendChain(s, top.splits, 2, [&](std::size_t) -> CNode* { return New<CNodeStore>(); });
    return true;
}

// sum := operand ("+" | "-") operand { ("+" | "-") operand }
bool CParcer::ParseSum(std::u16string_view s, const TopLevelOperators& top) {
    if (top.level != TopLevelOperators::Sum) return false;
    AppendChain(s, top.splits, 1, [&](std::size_t p) -> CNode* {
        if (s[p] == u'+') return New<CNodePlus>();
        return New<CNodeMinus>();
    });
    return true;
}

// negation := "-" operand
bool CParcer::ParseNegation(std::u16string_view s) {
    if (s.empty() || s.front() != u'-') return false;
    CNode* node = New<CNodeChangeSign>();
    node->operands.push_back(s.substr(1));
    GetNode()->children.push_back(node);
    return true;
}

// product := operand ("*" | "×" | "/" | "÷") operand { ("*" | "×" | "/" | "÷") operand }
bool CParcer::ParseProduct(std::u16string_view s, const TopLevelOperators& top) {
    if (top.level != TopLevelOperators::Product) return false;
    AppendChain(s, top.splits, 1, [&](std::size_t p) -> CNode* {
        if (s[p] == u'*' || s[p] == u'\u00D7') return New<CNodeMul>();
        return New<CNodeDiv>();
    });
    return true;
}

// power := operand "^" operand { "^" operand }
bool CParcer::ParsePower(std::u16string_view s, const TopLevelOperators& top) {
    if (top.level != TopLevelOperators::Power) return false;
    AppendChain(s, top.splits, 1, [&](std::size_t) -> CNode* { return New<CNodePow>(); });
    return true;
}

// function := keyword group
bool CParcer::ParseFunction(std::u16string_view s) {
    if (s.empty()) return false;
    // Every keyword begins with one of these.
    switch (s.front()) {
        case u'a':
        case u'c':
        case u'e':
        case u'f':
        case u'l':
        case u's':
        case u't':
        case u'\u221A':
            break;
        default:
            return false;
    }
    // The keyword is everything before the first group, at most 8 units.
    const std::size_t k = s.substr(0, kLongestKeyword + 1).find(u'(');
    if (k == npos || k == 0) return false;
    const KeywordMaker make = FindKeyword(s.substr(0, k));
    if (make == nullptr) return false;
    CNode* node = make(*GetNode()->arena_);
    node->operands.push_back(s.substr(k));
    GetNode()->children.push_back(node);
    return true;
}

// memory := ("memory" | "mem") group
bool CParcer::ParseMemory(std::u16string_view s) {
    if (s.size() < 3 || s.substr(0, 3) != u"mem") return false;
    CNode* node = New<CNodeMemory>();
    node->operands.push_back((s.size() >= 6 && s.substr(0, 6) == u"memory") ? s.substr(6)
                                                                            : s.substr(3));
    GetNode()->children.push_back(node);
    return true;
}

// terminal := ["+"] ("pi" | "π" | "e" | "result" | "rslt" | number)
bool CParcer::ParseTerminal(std::u16string_view s) {
    if (s.empty()) return false;
    std::u16string_view t = s;
    if (t.front() == u'+') t.remove_prefix(1);
    if (t.empty()) return false;
    CNode* node = nullptr;
    const char16_t first = t.front();
    if (IsDigit(first) || first == u'.' || first == u',') {
        // A name never starts like a number.
        double value = 0;
        if (!ParseNumberLiteral(t, value)) return false;
        auto* number = New<CNodeNumber>();
        number->value = value;
        node = number;
    } else if (t == u"pi" || t == u"\u03C0") {
        node = New<CNodePi>();
    } else if (t == u"e") {
        node = New<CNodeE>();
    } else if (t == u"result" || t == u"rslt") {
        node = New<CNodeResult>();
    } else {
        return false;
    }
    node->operands.push_back(s);
    GetNode()->children.push_back(node);
    return true;
}

// ---------------------------------------------------------------------------
// CNode

namespace {

// What ParseText does with each code unit: the unit it keeps (brackets and
// minus signs unified), its operator kind, and flags for the rest.
struct UnitClass {
    char16_t unit;
    uint8_t kind;
    uint8_t flags;
};

enum UnitFlags : uint8_t {
    kKept = 1,      // stays in the prepared text (spaces, tabs, line breaks do not)
    kBracket = 2,   // "(" or ")" once unified
    kSignUnit = 4,  // "+" or "-": infix unless it is an exponent's sign
    kRare = 8,      // ">" or "$": a look at the unit before, or a refusal
};

constexpr std::array<UnitClass, 128> MakeUnitClasses() {
    std::array<UnitClass, 128> classes{};
    for (char16_t c = 0; c < 128; ++c) classes[c] = {c, 0, kKept};
    for (const char16_t c : {u' ', u'\t', u'\n', u'\r'}) classes[c].flags = 0;
    for (const char16_t c : {u'(', u'[', u'{'})
        classes[c] = {u'(', BracketTableData::kOpen, kKept | kBracket};
    for (const char16_t c : {u')', u']', u'}'}) classes[c] = {u')', 0, kKept | kBracket};
    classes[u'+'].flags = kKept | kSignUnit;
    classes[u'-'].flags = kKept | kSignUnit;
    classes[u'>'].flags = kKept | kRare;
    classes[u'$'].flags = kKept | kRare;  // reserved for placeholders
    classes[u'*'].kind = BracketTableData::kProduct;
    classes[u'/'].kind = BracketTableData::kProduct;
    classes[u'^'].kind = BracketTableData::kPower;
    return classes;
}
constexpr std::array<UnitClass, 128> kUnitClasses = MakeUnitClasses();

UnitClass WideUnitClass(char16_t c) {
    switch (c) {
        case u'\u2212':
            return {u'-', 0, kKept | kSignUnit};
        case u'\u00D7':
        case u'\u00F7':
            return {c, BracketTableData::kProduct, kKept};
        default:
            return {c, 0, kKept};
    }
}

bool IsDigitOrPoint(char16_t c) { return IsDigit(c) || c == u'.'; }

}  // namespace

bool CNode::ParseText(std::u16string_view text) {
    if (arena_ == nullptr) {
        ownArena_ = std::make_unique<NodeArena>();
        arena_ = ownArena_.get();
    }
    BracketTableData& table = BracketTable;
    table.Reset();
    operands.clear();
    children.clear();

    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end > begin && IsWideSpace(text[end - 1])) --end;
    while (begin < end && IsWideSpace(text[begin])) ++begin;

    const std::size_t capacity = end - begin;
    // Sized for the longest expression so far (next[] one more, even for an
    // empty one).
    if (table.next.size() < capacity + 1) {
        table.compact.resize(capacity);
        table.textIndex.resize(capacity);
        table.partner.resize(capacity + 1);
        table.kind.resize(capacity);
        table.next.resize(capacity + 1);
    }
    char16_t* compact = table.compact.data();
    int32_t* textIndex = table.textIndex.data();
    int32_t* partner = table.partner.data();
    uint8_t* kind = table.kind.data();
    int32_t* next = table.next.data();
    // The list of brackets is only needed before next[] is filled: it lives there.
    int32_t* brackets = next;

    // First pass: drop spaces, tabs and line breaks, unify brackets and minus
    // signs, classify the operators and list the brackets. Written without
    // branches for the usual units: which comes next is too irregular to
    // predict, and a mispredicted branch a unit cost more than all the rest.
    std::size_t kept = 0;
    std::size_t bracketCount = 0;
    char16_t previous = 0;        // the last unit kept
    char16_t beforePrevious = 0;  // the one before it
    for (std::size_t i = begin; i < end; ++i) {
        const char16_t c = text[i];
        const UnitClass unit = c < 0x80 ? kUnitClasses[c] : WideUnitClass(c);
        if (unit.flags & kRare) {
            if (c == u'$') return false;
            if (previous == u'-') kind[kept - 1] = BracketTableData::kArrow;  // "->"
        }
        // "2e-5", "2.e+5": the sign of an exponent is no operator.
        const bool exponentSign = previous == u'e' && IsDigitOrPoint(beforePrevious);
        const bool sign = (unit.flags & kSignUnit) != 0 && !exponentSign;
        compact[kept] = unit.unit;
        kind[kept] = static_cast<uint8_t>(unit.kind | (sign ? BracketTableData::kSign : 0));
        textIndex[kept] = static_cast<int32_t>(i);
        brackets[bracketCount] = static_cast<int32_t>(kept);
        bracketCount += (unit.flags & kBracket) != 0 ? 1 : 0;
        const bool keep = (unit.flags & kKept) != 0;
        beforePrevious = keep ? previous : beforePrevious;
        previous = keep ? unit.unit : previous;
        kept += keep ? 1 : 0;
    }

    // Second pass, over the brackets only: pair them (the open ones form a
    // stack linked through partner; partner[kept] takes the writes of the
    // other case). Unbalanced text never parses, whatever the operators.
    // After a stray ")" the pairing runs on with whatever partner[kept]
    // held; every value partner ever holds is -1 or an index within it, and
    // the text is refused anyway.
    int32_t top = -1;
    int depth = 0;
    int deepest = 0;
    bool unbalanced = false;
    const auto spare = static_cast<int32_t>(kept);
    for (std::size_t b = 0; b < bracketCount; ++b) {
        const int32_t at = brackets[b];
        const bool open = compact[at] == u'(';
        unbalanced |= !open && top < 0;
        const int32_t matched = open || top < 0 ? spare : top;
        partner[at] = top;
        const int32_t outer = partner[matched];
        partner[matched] = at;
        top = open ? at : outer;
        depth += open ? 1 : -1;
        deepest = std::max(deepest, depth);
    }
    if (unbalanced || depth != 0 || deepest > kMaxNestingDepth) return false;

    // next[] lets the operator searches leap over names and numbers: the
    // first index at or after each one that has a kind.
    auto following = static_cast<int32_t>(kept);
    next[kept] = following;
    for (std::size_t i = kept; i-- > 0;) {
        const int32_t mask = -static_cast<int32_t>(kind[i] != 0);
        following = (static_cast<int32_t>(i) & mask) | (following & ~mask);
        next[i] = following;
    }
    table.source = text;
    table.length = kept;

    operands.push_back(std::u16string_view(compact, kept));
    return Parse();
}

bool CNode::Parse() {
    // A chain's nodes have their left child built already; walk down it.
    CNode* node = this;
    while (node->chainedLeft) {
        if (!node->ParseOperands(1)) return false;
        node = node->children[0].get();
    }
    return node == this ? ParseOperands(0) : node->Parse();
}

bool CNode::ParseOperands(std::size_t first) {
    for (std::size_t i = first; i < operands.size(); ++i) {
        if (!ParseOperand(operands[i])) return false;
        if (!children.back()->Parse()) return false;
    }
    return true;
}

bool CNode::Evaluate(double& value) {
    if (children.empty()) return false;
    return children[0]->Evaluate(value);
}

}  // namespace NCalculatorText
