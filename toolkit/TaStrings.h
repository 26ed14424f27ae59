// The toolkit's own texts: the message dialog's captions and button names.
// Their ids are the string-table ids the rest of the program uses.
#pragma once

#include <QString>
#include <span>

namespace TaStringId {
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
}  // namespace TaStringId

// One row of a string table: its id and the English source text.
struct TaStringEntry {
    int id;
    const char* source;
};

// The translation context of every string-table row, the application's included,
// so one translation serves both.
inline constexpr const char* kStringsContext = "Strings";

// The rows above, in id order.
std::span<const TaStringEntry> TaStringTable();

// The translated text of one of the ids above; empty for any other id.
QString TaLoadString(int id);
