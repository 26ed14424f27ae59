// The cell calculation driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace NCalculatorText {

// Calculates the cell containing `position`, or every cell when it is -1.
// Rewrites `text`; on success also `position` (the new caret).
bool CalculateText(std::u16string& text, int32_t& position);

// Where a failed run stopped, in the rewritten text: the failing cell's
// expression without its surrounding blanks, or an unclosed comment from its
// "/*" to the end. Both -1 after a successful run.
struct FailedCell {
    int32_t start = -1;
    int32_t end = -1;
};

// As above, and tells where a failed run stopped.
bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed);

// The driver's first step on its scratch copy: every comment character
// becomes a space. False when a "/*" is never closed; `unclosed` is then
// where it starts.
bool BlankComments(std::u16string& copy, std::size_t& unclosed);

}  // namespace NCalculatorText
