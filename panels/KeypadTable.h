// What the 64 keypad buttons are: ids, captions in both notations, colour
// groups, what each one sends, help contexts, plus the panel-wide keys
// (accelerator table 130). Command ids are those of shell/core/CommandIds.h.
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

struct PanelAccelerator {
    QKeyCombination key;
    int command;  // a CommandId
};

// Accelerator table 130, in its order.
std::span<const PanelAccelerator> PanelAccelerators();
// The command a key press translates to, 0 when the table has none. The
// keypad modifier is ignored; Ctrl+Shift+"+" counts as Ctrl+Shift+= because
// X11 reports the shifted "=" key that way.
int PanelCommandForKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace Keypad
