#include "document/CCalcFontDialog.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>

namespace {
CCalcFontDialog::Chooser& ChooserSlot() {
    static CCalcFontDialog::Chooser chooser;
    return chooser;
}
}  // namespace

CCalcFontDialog::CCalcFontDialog(const QFont& initial, QWidget* parent)
    : font_(initial), parent_(parent) {}

bool CCalcFontDialog::DoModal() {
    // The dialog lists real families: a face like "Courier New" is only an
    // alias here, and the dialog would fall back to its first family. Show
    // the family the face resolves to.
    QFont shown = font_;
    shown.setFamily(QFontInfo(font_).family());
    std::optional<QFont> chosen;
    if (ChooserSlot()) {
        chosen = ChooserSlot()(shown);
    } else {
        QFontDialog dialog(shown, parent_);
        dialog.setWindowIcon(QApplication::windowIcon());
        dialog.setOption(QFontDialog::DontUseNativeDialog, true);
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.selectedFont();
    }
    if (!chosen) return false;
    // The family left as it was keeps the stored face text (and with it the
    // Default mark); effects are not part of these fonts.
    if (chosen->family() == shown.family()) chosen->setFamily(font_.family());
    chosen->setUnderline(false);
    chosen->setStrikeOut(false);
    font_ = *chosen;
    return true;
}

CCalcFontDialog::Chooser CCalcFontDialog::SetChooser(Chooser chooser) {
    Chooser previous = std::move(ChooserSlot());
    ChooserSlot() = std::move(chooser);
    return previous;
}
