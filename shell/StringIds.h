// String-table ids and the English texts behind them.
#pragma once

#include <QString>

namespace StringId {

inline constexpr int AppTitle = 57344;  // "Numera": the settings' product key

// Message dialog captions and buttons.
inline constexpr int CaptionAsks = 32814;
inline constexpr int CaptionWarns = 32815;
inline constexpr int CaptionInforms = 32816;
inline constexpr int CaptionStops = 32817;
inline constexpr int ButtonClose = 32818;
inline constexpr int ButtonOk = 32819;
inline constexpr int ButtonYes = 32820;
inline constexpr int ButtonNo = 32821;
inline constexpr int ButtonCancel = 32822;
inline constexpr int ButtonContinue = 32823;
inline constexpr int ButtonRetry = 32824;
inline constexpr int ButtonAbort = 32825;
inline constexpr int ButtonIgnore = 32826;
inline constexpr int ButtonTryAgain = 32827;

// Questions and errors.
inline constexpr int ClearAllQuestion = 32829;
inline constexpr int EraseMemoryQuestion = 32830;
inline constexpr int CannotOpenForReading = 32832;
inline constexpr int CannotReadFile = 32833;
inline constexpr int CannotOpenForWriting = 32834;
inline constexpr int FileNotFound = 32837;
inline constexpr int FileExists = 32838;
inline constexpr int SaveChangesQuestion = 32841;

// Framework texts.
inline constexpr int SaveAsTitle = 61441;
inline constexpr int Untitled = 61443;
inline constexpr int SaveChangesHelp = 61699;  // help context of the save-changes question

}  // namespace StringId

// Fields of the document template string 128.
namespace DocTemplate {
QString WindowTitle();      // "Tarvik F"
QString DocumentName();     // "Calculation"
QString FilterExtension();  // ".tvc"
}  // namespace DocTemplate

// The English text of a string id; empty for an unknown id.
QString LoadString(int id);
