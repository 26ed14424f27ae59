#include "panels/KeypadTable.h"

#include <QCoreApplication>

#include "document/ICmdReceiver.h"
#include "shell/core/CommandIds.h"

namespace Keypad {
namespace {

constexpr Group F = Group::Function;
constexpr Group D = Group::Digit;
constexpr Group S = Group::Service;

constexpr ButtonInfo Name(int id, const char16_t* east, int row) {
    return {id, east, F, Action::InsertName, row, nullptr, -1};
}
constexpr ButtonInfo Put(int id, const char16_t* caption, Group group, const char16_t* text,
                         int row = -1) {
    return {id, caption, group, Action::Insert, row, text, -1};
}
constexpr ButtonInfo Run(int id, const char16_t* caption, int command) {
    return {id, caption, S, Action::Command, -1, nullptr, command};
}

constexpr std::array<ButtonInfo, ButtonCount> kButtons{{
    // Five rows of six function buttons.
    Name(1028, u"sin", 17),
    Name(1053, u"cosec", 2),
    Name(1027, u"cos", 18),
    Name(1052, u"sec", 19),
    Name(1029, u"tg", 0),
    Name(1030, u"ctg", 1),
    Name(1031, u"sh", 6),
    Name(1055, u"csch", 20),
    Name(1032, u"ch", 7),
    Name(1054, u"sech", 21),
    Name(1033, u"th", 8),
    Name(1034, u"cth", 9),
    Name(1035, u"exp", 22),
    Name(1038, u"ln", 23),
    Name(1037, u"lg", 15),
    {1039, u"^", F, Action::Power, -1, nullptr, -1},
    Name(1060, u"abs", 24),
    Put(1036, u"n!", F, u"fact(", 25),
    Name(1040, u"arcsin", 26),
    Name(1056, u"arccosec", 5),
    Name(1041, u"arccos", 27),
    Name(1057, u"arcsec", 28),
    Name(1042, u"arctg", 3),
    Name(1043, u"arcctg", 4),
    Name(1044, u"arsh", 10),
    Name(1058, u"arcsch", 29),
    Name(1045, u"arch", 11),
    Name(1059, u"arsch", 14),
    Name(1046, u"arth", 12),
    Name(1047, u"arcth", 13),
    // Constants and brackets.
    Put(1048, u"\u03C0", D, u"\u03C0"),
    Put(1049, u"e", D, u"e"),
    Put(1020, u"(", F, u"("),
    Put(1021, u")", F, u")"),
    Put(1022, u"[", F, u"["),
    Put(1023, u"]", F, u"]"),
    Put(1065, u"/*", S, u"/*"),
    Put(1066, u"*/", S, u"*/"),
    // Digits and operators.
    Put(1018, u"+", F, u"+"),
    Put(1007, u"1", D, u"1"),
    Put(1008, u"2", D, u"2"),
    Put(1009, u"3", D, u"3"),
    Put(1019, u"\u2212", F, u"-"),
    Put(1010, u"4", D, u"4"),
    Put(1011, u"5", D, u"5"),
    Put(1012, u"6", D, u"6"),
    Put(1016, u"\u00D7", F, u"*"),
    Put(1013, u"7", D, u"7"),
    Put(1014, u"8", D, u"8"),
    Put(1015, u"9", D, u"9"),
    Put(1017, u"/", F, u"/"),
    Put(1006, u"0", D, u"0"),
    Put(1026, u".", D, u".", 16),
    Put(1064, u";", S, u";"),
    Run(1001, u"=", CalculateCell),
    Run(1062, u"= all", CalculateAll),
    // Memory, line ends and editing.
    Put(1069, u"\u2192", S, u"->mem["),
    Put(1070, u"mem", S, u"mem["),
    Run(1068, u"free", FreeMemory),
    Put(1061, u"rslt", S, u"rslt"),
    Put(1063, u"enter", S, u"\r\n"),
    Put(1071, u"; enter", S, u";\r\n"),
    Run(1051, u"clear", ClearAll),
    Run(1050, u"\u2190", DeleteBack),
}};

constexpr std::array<FunctionName, FunctionRowCount> kFunctions{{
    {1029, u"tan", u"tg"},        {1030, u"cot", u"ctg"},       {1053, u"csc", u"cosec"},
    {1042, u"arctan", u"arctg"},  {1043, u"arccot", u"arcctg"}, {1056, u"arccsc", u"arccosec"},
    {1031, u"sinh", u"sh"},       {1032, u"cosh", u"ch"},       {1033, u"tanh", u"th"},
    {1034, u"coth", u"cth"},      {1044, u"arsinh", u"arsh"},   {1045, u"arcosh", u"arch"},
    {1046, u"artanh", u"arth"},   {1047, u"arcoth", u"arcth"},  {1059, u"arsech", u"arsch"},
    {1037, u"log", u"lg"},        {1026, u".", u"."},           {1028, u"sin", u"sin"},
    {1027, u"cos", u"cos"},       {1052, u"sec", u"sec"},       {1055, u"csch", u"csch"},
    {1054, u"sech", u"sech"},     {1035, u"exp", u"exp"},       {1038, u"ln", u"ln"},
    {1060, u"abs", u"abs"},       {1036, u"n!", u"n!"},         {1040, u"arcsin", u"arcsin"},
    {1041, u"arccos", u"arccos"}, {1057, u"arcsec", u"arcsec"}, {1058, u"arcsch", u"arcsch"},
}};

QString RowName(int row, int notation) {
    const auto& entry = kFunctions[static_cast<size_t>(row)];
    return QString::fromUtf16(notation == West ? entry.west : entry.east);
}

// The buttons' spoken names belong to the keypad's context; lupdate reads Text::tr.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(CCalcKeyPad)
};

constexpr PanelAccelerator kAccelerators[] = {
    {QKeyCombination(Qt::ControlModifier, Qt::Key_K), CommandId::ViewKeypad},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_L), CommandId::ViewLog},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_M), CommandId::ViewMemory},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_T), CommandId::ViewStatistics},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_W), CommandId::FocusEditor},
    {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_K), CommandId::FocusKeypad},
    {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_L), CommandId::FocusLog},
    {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_M), CommandId::FocusMemory},
    {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_T),
     CommandId::FocusStatistics},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Equal), CommandId::Calculate},
    {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Equal),
     CommandId::CalculateAll},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_N), CommandId::New},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_O), CommandId::Open},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_S), CommandId::Save},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_E), CommandId::Execute},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_P), CommandId::Print},
};

}  // namespace

const std::array<ButtonInfo, ButtonCount>& Buttons() { return kButtons; }
const std::array<FunctionName, FunctionRowCount>& FunctionTable() { return kFunctions; }

int IndexOfId(int id) {
    for (int i = 0; i < ButtonCount; ++i)
        if (kButtons[static_cast<size_t>(i)].id == id) return i;
    return -1;
}

QString Caption(int index, int notation) {
    const ButtonInfo& b = kButtons[static_cast<size_t>(index)];
    if (b.functionRow >= 0) return RowName(b.functionRow, notation);
    return QString::fromUtf16(b.east);
}

QString InsertedText(int index, int notation, bool appendPower) {
    const ButtonInfo& b = kButtons[static_cast<size_t>(index)];
    switch (b.action) {
        case Action::InsertName:
            return RowName(b.functionRow, notation) + u'(';
        case Action::Insert:
            return QString::fromUtf16(b.text);
        case Action::Power:
            return appendPower ? QStringLiteral("^(") : QStringLiteral("^");
        case Action::Command:
            break;
    }
    return QString();
}

int CommandOf(int index) {
    const ButtonInfo& b = kButtons[static_cast<size_t>(index)];
    return b.action == Action::Command ? b.command : -1;
}

QString AccessibleName(int index, int notation, bool appendPower) {
    switch (CommandOf(index)) {
        case ClearAll:
            return Text::tr("Clear all");
        case DeleteBack:
            return Text::tr("Delete the previous character");
        case CalculateCell:
            return Text::tr("Calculate the cell");
        case CalculateAll:
            return Text::tr("Calculate all cells");
        case FreeMemory:
            return Text::tr("Free the memory");
        default:
            break;
    }
    const QString text = InsertedText(index, notation, appendPower);
    if (text == QLatin1String("\r\n")) return Text::tr("Insert a line end");
    if (text == QLatin1String(";\r\n")) return Text::tr("Insert ; and a line end");
    return Text::tr("Insert %1").arg(text);
}

std::span<const PanelAccelerator> PanelAccelerators() { return kAccelerators; }

int PanelCommandForKey(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= ~Qt::KeypadModifier;
    if (key == Qt::Key_Plus && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        key = Qt::Key_Equal;
    for (const PanelAccelerator& a : kAccelerators)
        if (a.key.key() == key && a.key.keyboardModifiers() == modifiers) return a.command;
    return 0;
}

}  // namespace Keypad
