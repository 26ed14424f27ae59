// String-table ids and the English texts behind them.
#pragma once

#include <QString>
#include <span>

#include "toolkit/TaStrings.h"

namespace StringId {

inline constexpr int AppTitle = 57344;  // "Numera": the settings' product key

// The message dialog's captions and buttons (32814-32827) are TaStringId.

// Questions and errors.
inline constexpr int ClearAllQuestion = 32829;
inline constexpr int EraseMemoryQuestion = 32830;
inline constexpr int CannotOpenForReading = 32832;
inline constexpr int CannotReadFile = 32833;
inline constexpr int CannotOpenForWriting = 32834;
inline constexpr int CouldNotStartPrintJob = 32836;
inline constexpr int FileNotFound = 32837;
inline constexpr int FileExists = 32838;
inline constexpr int OfPages = 32839;  // "Of %u page   ", the printing window's second label
inline constexpr int PrintingCancelled = 32840;
inline constexpr int SaveChangesQuestion = 32841;
// Our own: Save finds the file changed by another program.
inline constexpr int ChangedOnDiskQuestion = 32880;
// Our own: the settings store cannot be written, so this run's changes go at its end.
inline constexpr int SettingsUnwritable = 32881;

// Recovery copies of unsaved work.
inline constexpr int RecoveryQuestion = 33100;
inline constexpr int RecoveryRefused = 33101;
inline constexpr int RecoveryCorrupt = 33102;
inline constexpr int RecoveryTruncated = 33103;
inline constexpr int RecoveryNewerFormat = 33104;
inline constexpr int RecoveryTooLarge = 33105;
inline constexpr int RecoveryUnavailable = 33106;

// Framework texts.
inline constexpr int SaveAsTitle = 61441;
inline constexpr int Untitled = 61443;
inline constexpr int SaveChangesHelp = 61699;  // help context of the save-changes question
inline constexpr int UnregisterDone = 61707;
inline constexpr int UnregisterFailed = 61708;

}  // namespace StringId

// Fields of the document template string 128.
namespace DocTemplate {
QString WindowTitle();      // "Tarvik F"
QString DocumentName();     // "Calculation"
QString FilterExtension();  // ".tvc"
}  // namespace DocTemplate

using StringEntry = TaStringEntry;

// The application's own rows; the toolkit's are TaStringTable().
std::span<const StringEntry> StringTable();

// The translated text of a string id, the toolkit's included; empty for an unknown id.
QString LoadString(int id);
