// What the 64 keypad buttons are: ids, captions in both notations, colour
// groups, what each one sends, help contexts, plus the panel-wide keys
// (accelerator table 130) and the Set > Keypad commands.
#pragma once

#include <QKeyCombination>
#include <QString>
#include <array>
#include <cstdint>
#include <span>

namespace Keypad {

inline constexpr int ButtonCount = 64;
inline constexpr int FunctionRowCount = 30;

enum Notation : int { West = 0, East = 1 };

// Drawing styles as stored.
enum Style : int { Style2000 = 0, StyleTarvik = 1, StyleXP = 2, StyleVista = 3 };

// Colour groups; the values index the keypad's colour arrays.
enum class Group : int { Function = 0, Digit = 1, Service = 2 };
inline constexpr int GroupCount = 3;

enum class Action {
    InsertName,  // the row's name in the current notation, then "("
    Insert,      // a fixed text
    Power,       // "^", plus "(" while AppendPower is on
    Command,     // ExecuteCommand with a CalcCommand code
};

struct ButtonInfo {
    int id;                // control id
    const char16_t* east;  // caption as the keypad starts (East notation)
    Group group;
    Action action;
    int functionRow;       // row of the function table that names it, -1 for none
    const char16_t* text;  // inserted text for Insert
    int command;           // CalcCommand for Command
};

struct FunctionName {
    int id;
    const char16_t* west;
    const char16_t* east;
};

// The 64 buttons in their fixed order (binding, colouring, layout, tab order).
const std::array<ButtonInfo, ButtonCount>& Buttons();
// The 30 notation-dependent names.
const std::array<FunctionName, FunctionRowCount>& FunctionTable();

// Index of a control id in Buttons(), -1 for an unknown id.
int IndexOfId(int id);
// Caption of a button in a notation.
QString Caption(int index, int notation);
// What the button inserts in that notation; empty for the command buttons.
QString InsertedText(int index, int notation, bool appendPower);
// The CalcCommand a button sends, -1 for the inserting buttons.
int CommandOf(int index);
// Screen-reader name: what the button inserts or does.
QString AccessibleName(int index, int notation, bool appendPower);

// Help context of a control: its id minus 0x7F9A0000, modulo 2^32.
constexpr uint32_t HelpContext(int controlId) {
    return static_cast<uint32_t>(controlId) - 0x7F9A0000u;
}

// ---------------------------------------------------------------------------
// Panel-wide keys, shared by the frame and every panel.

namespace PanelCommand {
inline constexpr int ToggleKeypad = 32775;
inline constexpr int ToggleLog = 32776;
inline constexpr int ToggleMemory = 32777;
inline constexpr int ToggleStatistics = 32778;
inline constexpr int FocusMainWindow = 32809;
inline constexpr int FocusKeypad = 32810;
inline constexpr int FocusLog = 32811;
inline constexpr int FocusMemory = 32812;
inline constexpr int FocusStatistics = 32813;
inline constexpr int Calculate = 32802;
inline constexpr int CalculateAll = 32803;
inline constexpr int New = 57600;
inline constexpr int Open = 57601;
inline constexpr int Save = 57603;
inline constexpr int Execute = 32771;
inline constexpr int Print = 57607;
}  // namespace PanelCommand

struct PanelAccelerator {
    QKeyCombination key;
    int command;
};

// Accelerator table 130, in its order.
std::span<const PanelAccelerator> PanelAccelerators();
// The command a key press translates to, 0 when the table has none. The
// keypad modifier is ignored; Ctrl+Shift+"+" counts as Ctrl+Shift+= because
// X11 reports the shifted "=" key that way.
int PanelCommandForKey(int key, Qt::KeyboardModifiers modifiers);

// ---------------------------------------------------------------------------
// Set > Keypad commands.

namespace KeypadCommand {
inline constexpr int StyleXP = 32785;
inline constexpr int StyleVista = 32786;
inline constexpr int StyleTarvik = 32787;
inline constexpr int Style2000 = 32788;
inline constexpr int FontSelect = 32789;
inline constexpr int FontSystem = 32790;
inline constexpr int FontDefault = 32791;
inline constexpr int TextColorFunction = 32792;
inline constexpr int TextColorDigit = 32793;
inline constexpr int TextColorService = 32794;
inline constexpr int TextColorDefault = 32795;
inline constexpr int TextColorSystem = 32796;
inline constexpr int ColorFunction = 32797;
inline constexpr int ColorDigit = 32798;
inline constexpr int ColorService = 32799;
inline constexpr int ColorSystem = 32800;
inline constexpr int ColorDefault = 32801;
inline constexpr int First = StyleXP;
inline constexpr int Last = ColorDefault;
}  // namespace KeypadCommand

}  // namespace Keypad
