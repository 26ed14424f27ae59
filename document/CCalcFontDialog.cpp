#include "document/CCalcFontDialog.h"

#include <QApplication>
#include <QFontDialog>

namespace {
CCalcFontDialog::Chooser& ChooserSlot() {
    static CCalcFontDialog::Chooser chooser;
    return chooser;
}
}  // namespace

CCalcFontDialog::CCalcFontDialog(const QFont& initial, QWidget* parent)
    : m_font(initial), m_parent(parent) {}

bool CCalcFontDialog::DoModal() {
    if (ChooserSlot()) {
        const std::optional<QFont> chosen = ChooserSlot()(m_font);
        if (!chosen) return false;
        m_font = *chosen;
        return true;
    }
    QFontDialog dialog(m_font, m_parent);
    dialog.setWindowIcon(QApplication::windowIcon());
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    m_font = dialog.selectedFont();
    return true;
}

CCalcFontDialog::Chooser CCalcFontDialog::SetChooser(Chooser chooser) {
    Chooser previous = std::move(ChooserSlot());
    ChooserSlot() = std::move(chooser);
    return previous;
}
