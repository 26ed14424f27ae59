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

// Set
inline constexpr int Preferences = 32779;
inline constexpr int TrigonometricUnits = 32780;
inline constexpr int NotationEast = 32781;
inline constexpr int NotationWest = 32782;
inline constexpr int EditorFontSelect = 32783;
inline constexpr int EditorFontDefault = 32784;

// Help
inline constexpr int About = 57664;
inline constexpr int HelpIndex = 57667;
inline constexpr int ContextHelp = 57669;
inline constexpr int Help = 57670;

}  // namespace CommandId

// Status bar indicators and the status bar itself.
namespace IndicatorId {
inline constexpr int Caps = 59137;
inline constexpr int Num = 59138;
inline constexpr int Units = 59142;
inline constexpr int Result = 59143;
inline constexpr int Sse2 = 59144;
inline constexpr int StatusBar = 59393;
}  // namespace IndicatorId
