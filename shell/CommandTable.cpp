#include "shell/CommandTable.h"

#include <QtGlobal>

#include "shell/core/CommandIds.h"

namespace {

using namespace CommandId;

constexpr QKeyCombination Ctrl(Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); }
constexpr QKeyCombination CtrlShift(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key);
}
constexpr QKeyCombination Shift(Qt::Key key) { return QKeyCombination(Qt::ShiftModifier, key); }
constexpr QKeyCombination Alt(Qt::Key key) { return QKeyCombination(Qt::AltModifier, key); }

// Columns: id, menu text, keys, status-bar prompt, tool tip, checkable.
// clang-format off
const CommandEntry kCommands[] = {
    // File
    {New, QT_TRANSLATE_NOOP("CCalcMainFrame", "&New"), {Ctrl(Qt::Key_N)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Start a new calculation"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "New Ctrl+N"), false},
    {Open, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Open..."), {Ctrl(Qt::Key_O)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Open a calculation file"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Open Ctrl+O"), false},
    {Save, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Save"), {Ctrl(Qt::Key_S)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Save the calculation"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Save Ctrl+S"), false},
    {SaveAs, QT_TRANSLATE_NOOP("CCalcMainFrame", "Save &As..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Save the calculation under a new name"), nullptr, false},
    {Execute, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Execute..."), {Ctrl(Qt::Key_E)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Calculate a file against the memory"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Execute file Ctrl+E"), false},
    {Print, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Print..."), {Ctrl(Qt::Key_P)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Print the calculation"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Print Ctrl+P"), false},
    {PrintDirect, nullptr, {}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Print the calculation"),
     nullptr, false},
    {PrintPreview, QT_TRANSLATE_NOOP("CCalcMainFrame", "Print Pre&view"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show the pages as they will print"), nullptr, false},
    {PageSetup, QT_TRANSLATE_NOOP("CCalcMainFrame", "Pa&ge Setup..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Change the printing options"), nullptr, false},
    {Exit, QT_TRANSLATE_NOOP("CCalcMainFrame", "E&xit"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Quit the calculator"), nullptr, false},
    // The recent-file menu texts are the files' own.
    {RecentFile1, nullptr, {}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Open this calculation"),
     nullptr, false},
    {RecentFile2, nullptr, {}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Open this calculation"),
     nullptr, false},
    {RecentFile3, nullptr, {}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Open this calculation"),
     nullptr, false},
    {RecentFile4, nullptr, {}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Open this calculation"),
     nullptr, false},

    // Memory
    {MemoryFree, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Free"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Erase all memory cells"), nullptr, false},
    {MemoryLoad, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Load..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Load memory cells from a file"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Load memory"), false},
    {MemorySave, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Save..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Save the memory cells to a file"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Save memory"), false},

    // Calculation, from keys only. Ctrl++ is never bound: under X11 the
    // shifted "=" key matches it too and the two would cancel.
    {Calculate, QT_TRANSLATE_NOOP("CCalcMainFrame", "Calculate"), {Ctrl(Qt::Key_Equal)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Calculate the current cell"), nullptr, false},
    {CalculateAll, QT_TRANSLATE_NOOP("CCalcMainFrame", "Calculate all"),
     {CtrlShift(Qt::Key_Equal)}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Calculate all cells"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Calculate all Ctrl+Shift+="), false},

    // Edit
    {Undo, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Undo"), {Ctrl(Qt::Key_Z), Alt(Qt::Key_Backspace)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Undo the last edit"), nullptr, false},
    {Cut, QT_TRANSLATE_NOOP("CCalcMainFrame", "Cu&t"), {Ctrl(Qt::Key_X), Shift(Qt::Key_Delete)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Cut the selection to the clipboard"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Cut Ctrl+X"), false},
    {Copy, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Copy"), {Ctrl(Qt::Key_C), Ctrl(Qt::Key_Insert)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Copy the selection to the clipboard"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Copy Ctrl+C"), false},
    {Paste, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Paste"), {Ctrl(Qt::Key_V), Shift(Qt::Key_Insert)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Insert the clipboard text"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Paste Ctrl+V"), false},

    // View
    {ViewToolbar, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Toolbar"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show or hide the toolbar"), nullptr, true},
    {ViewKeypad, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Keypad"), {Ctrl(Qt::Key_K)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show or hide keypad"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Toggle keypad Ctrl+K"), true},
    {ViewLog, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Log"), {Ctrl(Qt::Key_L)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show or hide log"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Toggle log Ctrl+L"), true},
    {ViewMemory, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Memory"), {Ctrl(Qt::Key_M)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show or hide memory"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Toggle memory Ctrl+M"), true},
    {ViewStatistics, QT_TRANSLATE_NOOP("CCalcMainFrame", "St&atistics"), {Ctrl(Qt::Key_T)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show or hide statistics"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Toggle statistics Ctrl+T"), true},
    {ViewStatusBar, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Status Bar"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show or hide the status bar"), nullptr, true},
    {ViewLiveResult, QT_TRANSLATE_NOOP("CCalcMainFrame", "L&ive Result"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame",
                       "Show or hide the result of the cell at the caret while typing"),
     nullptr, true},
    {ViewHighlighting, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Highlighting"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Colour numbers, names, comments and results"), nullptr,
     true},

    // View > Result digits
    {ResultDigitsExact, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Exact (19 digits)"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Write results with 19 significant digits"), nullptr, true},
    {ResultDigitsShortest, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Shortest"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Write results with the fewest digits that keep their value"),
     nullptr, true},
    {ResultDigitsSignificant + 3, QT_TRANSLATE_NOOP("CCalcMainFrame", "Significant digits: &3"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to 3 significant digits"), nullptr, true},
    {ResultDigitsSignificant + 6, QT_TRANSLATE_NOOP("CCalcMainFrame", "Significant digits: &6"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to 6 significant digits"), nullptr, true},
    {ResultDigitsSignificant + 10, QT_TRANSLATE_NOOP("CCalcMainFrame", "Significant digits: 1&0"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to 10 significant digits"), nullptr, true},
    {ResultDigitsSignificant + 15, QT_TRANSLATE_NOOP("CCalcMainFrame", "Significant digits: 1&5"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to 15 significant digits"), nullptr, true},
    {ResultDigitsDecimals + 0, QT_TRANSLATE_NOOP("CCalcMainFrame", "Decimals: &0"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to whole numbers"), nullptr, true},
    {ResultDigitsDecimals + 2, QT_TRANSLATE_NOOP("CCalcMainFrame", "Decimals: &2"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to 2 decimals"), nullptr, true},
    {ResultDigitsDecimals + 4, QT_TRANSLATE_NOOP("CCalcMainFrame", "Decimals: &4"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Round results to 4 decimals"), nullptr, true},
    {ResultDigitsOther, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Other..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Choose any number of digits in the preferences"), nullptr,
     true},

    // Focus, from keys only.
    {FocusEditor, QT_TRANSLATE_NOOP("CCalcMainFrame", "Focus editor"), {Ctrl(Qt::Key_W)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Go to the editor"), nullptr, false},
    {FocusKeypad, QT_TRANSLATE_NOOP("CCalcMainFrame", "Focus keypad"), {CtrlShift(Qt::Key_K)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Go to the keypad"), nullptr, false},
    {FocusLog, QT_TRANSLATE_NOOP("CCalcMainFrame", "Focus log"), {CtrlShift(Qt::Key_L)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Go to the log"), nullptr, false},
    {FocusMemory, QT_TRANSLATE_NOOP("CCalcMainFrame", "Focus memory"), {CtrlShift(Qt::Key_M)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Go to the memory"), nullptr, false},
    {FocusStatistics, QT_TRANSLATE_NOOP("CCalcMainFrame", "Focus statistics"),
     {CtrlShift(Qt::Key_T)}, QT_TRANSLATE_NOOP("CCalcMainFrame", "Go to the statistics"), nullptr,
     false},

    // Set
    {Preferences, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Preferences..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Change the preferences"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Preferences"), false},
    {TrigonometricUnits, QT_TRANSLATE_NOOP("CCalcMainFrame", "Trigonometric units"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Choose the unit of angles"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Trigonometric units"), true},
    {NotationWest, QT_TRANSLATE_NOOP("CCalcMainFrame", "&West"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Function names of the West tradition"), nullptr, true},
    {NotationEast, QT_TRANSLATE_NOOP("CCalcMainFrame", "&East"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Function names of the East tradition"), nullptr, true},

    // Set > Keypad
    {KeypadStyle2000, QT_TRANSLATE_NOOP("CCalcMainFrame", "&2000"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Classic keypad buttons"), nullptr, true},
    {KeypadStyleTarvik, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Tarvik"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Capsule keypad buttons"), nullptr, true},
    {KeypadStyleXP, QT_TRANSLATE_NOOP("CCalcMainFrame", "&XP"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Rounded keypad buttons"), nullptr, true},
    {KeypadStyleVista, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Vista"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Glass keypad buttons"), nullptr, true},
    {KeypadFontSelect, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Select..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Choose the keypad font"), nullptr, false},
    {KeypadFontSystem, QT_TRANSLATE_NOOP("CCalcMainFrame", "S&ystem"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Use the system font on the keypad"), nullptr, true},
    {KeypadFontDefault, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Default"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Use the default keypad font"), nullptr, true},
    {KeypadTextFunction, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Function..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Text colour of function keys"), nullptr, false},
    {KeypadTextDigit, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Digit..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Text colour of digit keys"), nullptr, false},
    {KeypadTextService, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Service..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Text colour of service keys"), nullptr, false},
    {KeypadTextSystem, QT_TRANSLATE_NOOP("CCalcMainFrame", "S&ystem"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "System text colour on all keys"), nullptr, true},
    {KeypadTextDefault, QT_TRANSLATE_NOOP("CCalcMainFrame", "D&efault"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Default text colours"), nullptr, true},
    {KeypadColorFunction, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Function..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Colour of function keys"), nullptr, false},
    {KeypadColorDigit, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Digit..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Colour of digit keys"), nullptr, false},
    {KeypadColorService, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Service..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Colour of service keys"), nullptr, false},
    {KeypadColorSystem, QT_TRANSLATE_NOOP("CCalcMainFrame", "S&ystem"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "System colour on all keys"), nullptr, true},
    {KeypadColorDefault, QT_TRANSLATE_NOOP("CCalcMainFrame", "D&efault"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Default key colours"), nullptr, true},

    // Set > Editor Font
    {EditorFontSelect, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Select..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Choose the editor font"), nullptr, false},
    {EditorFontDefault, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Default"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Use the default editor font"), nullptr, true},

    // Help; F1 and Shift+F1 reach the frame from floating panels as well.
    {HelpIndex, QT_TRANSLATE_NOOP("CCalcMainFrame", "&Help Topics"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "List the help topics"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Help Topics"), false},
    {Help, QT_TRANSLATE_NOOP("CCalcMainFrame", "Help"), {QKeyCombination(Qt::Key_F1)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show help for the part that has the focus"), nullptr,
     false},
    {ContextHelp, QT_TRANSLATE_NOOP("CCalcMainFrame", "Context help"), {Shift(Qt::Key_F1)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show help for a clicked part of the window"),
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Context help Shift+F1"), false},
    {DefaultHelp, QT_TRANSLATE_NOOP("CCalcMainFrame", "Default help"), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show the first page of help"), nullptr, false},

    // Panes, from keys only.
    {NextPane, QT_TRANSLATE_NOOP("CCalcMainFrame", "Next pane"), {QKeyCombination(Qt::Key_F6)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Go to the next pane"), nullptr, false},
    {PrevPane, QT_TRANSLATE_NOOP("CCalcMainFrame", "Previous pane"), {Shift(Qt::Key_F6)},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Go back to the previous pane"), nullptr, false},

    {About, QT_TRANSLATE_NOOP("CCalcMainFrame", "&About Calculator..."), {},
     QT_TRANSLATE_NOOP("CCalcMainFrame", "Show the program name, version and maker"), nullptr,
     false},
};
// clang-format on

}  // namespace

std::span<const CommandEntry> CommandTable() { return kCommands; }
