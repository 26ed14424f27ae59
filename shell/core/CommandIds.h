// Command ids. Each QAction carries its id in data().
#pragma once

namespace CommandId {

// File
inline constexpr int New = 57600;
inline constexpr int Open = 57601;
inline constexpr int Save = 57603;
inline constexpr int SaveAs = 57604;
inline constexpr int PageSetup = 57605;
inline constexpr int Print = 57607;
inline constexpr int PrintDirect = 57608;
inline constexpr int PrintPreview = 57609;
inline constexpr int RecentFile1 = 57616;
inline constexpr int RecentFile2 = 57617;
inline constexpr int RecentFile3 = 57618;
inline constexpr int RecentFile4 = 57619;
inline constexpr int Exit = 57665;
inline constexpr int Execute = 32771;

// Memory
inline constexpr int MemoryFree = 32772;
inline constexpr int MemoryLoad = 32773;
inline constexpr int MemorySave = 32774;

// Calculation (keys only)
inline constexpr int Calculate = 32802;
inline constexpr int CalculateAll = 32803;

// Edit
inline constexpr int Copy = 57634;
inline constexpr int Cut = 57635;
inline constexpr int Paste = 57637;
inline constexpr int Undo = 57643;

// View
inline constexpr int ViewKeypad = 32775;
inline constexpr int ViewLog = 32776;
inline constexpr int ViewMemory = 32777;
inline constexpr int ViewStatistics = 32778;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int ViewLiveResult = 32850;
inline constexpr int ViewHighlighting = 32851;

// View > Result digits: Exact, Shortest, and the significant digits or
// decimals N at base + N (the menu offers a few; Other opens the preferences).
inline constexpr int ResultDigitsExact = 32900;
inline constexpr int ResultDigitsShortest = 32901;
inline constexpr int ResultDigitsSignificant = 32910;  // + N, 1 to 17
inline constexpr int ResultDigitsDecimals = 32930;     // + N, 0 to 15
inline constexpr int ResultDigitsOther = 32950;

// Focus (keys only)
inline constexpr int FocusEditor = 32809;
inline constexpr int FocusKeypad = 32810;
inline constexpr int FocusLog = 32811;
inline constexpr int FocusMemory = 32812;
inline constexpr int FocusStatistics = 32813;

// Set
inline constexpr int Preferences = 32779;
inline constexpr int TrigonometricUnits = 32780;
inline constexpr int NotationEast = 32781;
inline constexpr int NotationWest = 32782;
inline constexpr int EditorFontSelect = 32783;
inline constexpr int EditorFontDefault = 32784;

// Set > Keypad
inline constexpr int KeypadStyleXP = 32785;
inline constexpr int KeypadStyleVista = 32786;
inline constexpr int KeypadStyleTarvik = 32787;
inline constexpr int KeypadStyle2000 = 32788;
inline constexpr int KeypadFontSelect = 32789;
inline constexpr int KeypadFontSystem = 32790;
inline constexpr int KeypadFontDefault = 32791;
inline constexpr int KeypadTextFunction = 32792;
inline constexpr int KeypadTextDigit = 32793;
inline constexpr int KeypadTextService = 32794;
inline constexpr int KeypadTextDefault = 32795;
inline constexpr int KeypadTextSystem = 32796;
inline constexpr int KeypadColorFunction = 32797;
inline constexpr int KeypadColorDigit = 32798;
inline constexpr int KeypadColorService = 32799;
inline constexpr int KeypadColorSystem = 32800;
inline constexpr int KeypadColorDefault = 32801;

// Help
inline constexpr int About = 57664;
inline constexpr int HelpIndex = 57667;  // Help Topics
inline constexpr int ContextHelp = 57669;
inline constexpr int Help = 57670;
inline constexpr int DefaultHelp = 57671;

// Panes (keys only)
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;

}  // namespace CommandId

// Bars: each bar's id is the template id of the panel it hosts.
namespace BarId {
inline constexpr int Keypad = 101;
inline constexpr int Log = 102;
inline constexpr int Memory = 105;
inline constexpr int Statistics = 106;
}  // namespace BarId

// Status bar indicators and the status bar itself, whose id is that of the
// command that shows and hides it.
namespace IndicatorId {
inline constexpr int Caps = 59137;
inline constexpr int Num = 59138;
inline constexpr int Units = 59142;
inline constexpr int Result = 59143;
inline constexpr int Sse2 = 59144;
inline constexpr int LiveResult = 59160;  // what Calculate would write for the cell at the caret
inline constexpr int StatusBar = CommandId::ViewStatusBar;
}  // namespace IndicatorId
