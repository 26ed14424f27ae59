// A dockable bar that hosts one panel window and sizes itself from it.
#pragma once

#include "shell/CCalcBar.h"

// A bar hosting one panel window (dialog template `templateId`), sized from
// that window. The window stays a member of the main frame; the bar only
// places it.
class CCalcDlgBar : public CCalcBar {
    Q_OBJECT
public:
    explicit CCalcDlgBar(QWidget* parent = nullptr);

    // Creates the bar and hosts `dialog` in it.
    bool Create(const QString& caption, QMainWindow* parent, QWidget* dialog, int templateId,
                unsigned style);
    using CCalcBar::Create;

    QWidget* Dialog() const { return dialog_; }
    int TemplateId() const { return templateId_; }

    // The hosted window has a new size (w, h): a fixed-size bar takes the
    // sizes that fit it; a floating one resizes its window at once.
    void OnNewDialogSize(const QSize& size);

protected:
    void OnBodyResized() override;
    int ThicknessFor(int length, bool horizontal) const override;

private:
    void SizeFromDialog(const QSize& size);

    QWidget* dialog_ = nullptr;
    int templateId_ = 0;
};
