// The cell calculation driver.
#pragma once

#include <cstdint>
#include <string>

namespace NCalculatorText {

// Calculates the cell containing `position`, or every cell when it is -1.
// Rewrites `text`; on success also `position` (the new caret).
bool CalculateText(std::u16string& text, int32_t& position);

}  // namespace NCalculatorText
