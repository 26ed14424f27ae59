#include "shell/CCalcDlgBar.h"

CCalcDlgBar::CCalcDlgBar(QWidget* parent) : CCalcBar(parent) {}

bool CCalcDlgBar::Create(const QString& caption, QMainWindow* parent, QWidget* dialog,
                         int templateId, unsigned style) {
    if (!dialog || !CCalcBar::Create(caption, parent, 100, 100, false, templateId, style))
        return false;
    dialog_ = dialog;
    templateId_ = templateId;
    dialog_->setParent(Body());
    // The panel's own size is the size of its template.
    SizeFromDialog(dialog_->testAttribute(Qt::WA_Resized) ? dialog_->size() : dialog_->sizeHint());
    dialog_->show();
    return true;
}

void CCalcDlgBar::SizeFromDialog(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    if (IsFixedSize()) {
        // A panel that can be drawn smaller lets a docked bar give up the
        // difference to a narrow window.
        const QSize smallest = dialog_->minimumSizeHint();
        SetShrinkAllowance(smallest.isValid() ? size - smallest.boundedTo(size) : QSize(0, 0));
        // Room for the borders (5 each side) and the gripper band (5) when docked.
        SetSizes(QSize(w + 15, h + 10), QSize(w + 10, h + 15), QSize(w, h), QSize(w + 15, h + 15));
    } else {
        SetSizes(size, size, size, size);
    }
    OnBodyResized();
}

void CCalcDlgBar::OnNewDialogSize(const QSize& size) {
    if (IsFixedSize()) SizeFromDialog(size);
}

int CCalcDlgBar::ThicknessFor(int length, bool horizontal) const {
    // Along a horizontal dock a panel drawn smaller is also lower.
    if (!horizontal || !dialog_ || !dialog_->hasHeightForWidth())
        return CCalcBar::ThicknessFor(length, horizontal);
    const int chrome = HorizontalSize().width() - FloatingSize().width();
    return dialog_->heightForWidth(length - chrome) + HorizontalSize().height() -
           FloatingSize().height();
}

void CCalcDlgBar::OnBodyResized() {
    if (dialog_) dialog_->setGeometry(ClientRect());
}
