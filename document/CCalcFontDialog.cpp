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
    : m_font(initial), m_parent(parent) {}

bool CCalcFontDialog::DoModal() {
    // The dialog lists real families: a face like "Courier New" is only an
    // alias here, and the dialog would fall back to its first family. Show
    // the family the face resolves to.
    QFont shown = m_font;
    shown.setFamily(QFontInfo(m_font).family());
    std::optional<QFont> chosen;
    if (ChooserSlot()) {
        chosen = ChooserSlot()(shown);
    } else {
        QFontDialog dialog(shown, m_parent);
        dialog.setWindowIcon(QApplication::windowIcon());
        dialog.setOption(QFontDialog::DontUseNativeDialog, true);
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.selectedFont();
    }
    if (!chosen) return false;
    // The family left as it was keeps the stored face text (and with it the
    // Default mark); effects are not part of these fonts.
    if (chosen->family() == shown.family()) chosen->setFamily(m_font.family());
    chosen->setUnderline(false);
    chosen->setStrikeOut(false);
    m_font = *chosen;
    return true;
}

CCalcFontDialog::Chooser CCalcFontDialog::SetChooser(Chooser chooser) {
    Chooser previous = std::move(ChooserSlot());
    ChooserSlot() = std::move(chooser);
    return previous;
}
