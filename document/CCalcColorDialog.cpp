#include "document/CCalcColorDialog.h"

#include <QApplication>
#include <QColorDialog>

CCalcColorDialog::CCalcColorDialog(QColor initial, QWidget* parent)
    : color_(initial), parent_(parent) {}

bool CCalcColorDialog::DoModal() {
    QColorDialog dialog(color_, parent_);
    dialog.setWindowIcon(QApplication::windowIcon());
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    color_ = dialog.selectedColor();
    return true;
}

QColor CCalcColorDialog::FromColorRef(uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

uint32_t CCalcColorDialog::ToColorRef(const QColor& color) {
    return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}
