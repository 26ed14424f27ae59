#include "document/CCalcPrintingDialog.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QPropertyAnimation>
#include <QTimer>
#include <algorithm>

#include "shell/core/StringIds.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaShadow.h"
#include "toolkit/TaStatic.h"

namespace {
constexpr QRgb kLabelColor = 0xFE404040;
constexpr QRgb kValueColor = 0xFE202020;
constexpr QRgb kBackground = 0xFFF8F8F8;
}  // namespace

CCalcPrintingDialog::CCalcPrintingDialog(const QString& document, const QString& printer,
                                         const QString& port, unsigned pages, const TaFonts& fonts,
                                         QWidget* owner)
    : TaDialog(kTemplateId, fonts, owner),
      document_(document),
      printer_(printer),
      port_(port),
      pages_(pages) {
    setWindowTitle(tr("Printing"));
}

TaStatic* CCalcPrintingDialog::Label(int id) const {
    return id >= IdDocumentLabel && id <= IdPortLabel ? labels_[id - IdDocumentLabel] : nullptr;
}

TaStatic* CCalcPrintingDialog::Value(int id) const {
    return id >= IdDocument && id <= IdPort ? values_[id - IdDocument] : nullptr;
}

int CCalcPrintingDialog::LayoutContent() {
    if (cancel_ == nullptr) {
        // Without a page count the template's own "Page" label stands.
        const QString pageLabel = PagesKnown(pages_)
                                      ? LoadString(StringId::OfPages)
                                            .replace(QLatin1String("%u"), QString::number(pages_))
                                      : tr("Page   ");
        const QString labelTexts[4] = {tr("Document   "), pageLabel, tr("Printer   "),
                                       tr("Port   ")};
        const QString valueTexts[4] = {document_, QString::number(printed_), printer_, port_};
        for (int i = 0; i < 4; ++i) {
            labels_[i] = new TaStatic(IdDocumentLabel + i, labelTexts[i], this);
            labels_[i]->SetFont(&Fonts(), TaFace::Regular, 12.0, TaFontStyle::Regular);
            labels_[i]->SetTextColor(kLabelColor);
            values_[i] = new TaStatic(IdDocument + i, valueTexts[i], this);
            values_[i]->SetFont(&Fonts(), TaFace::Semibold, 12.0, TaFontStyle::Regular);
            values_[i]->SetTextColor(kValueColor);
        }
        cancel_ = new TaButton(IdCancel, tr("Cancel"), this);
        cancel_->SetFont(&Fonts(), TaFace::Bold, 12.0, TaFontStyle::Bold);
        cancel_->SetTextColor(0xFE404040);
        cancel_->SetFaceColor(0xFFD8D8D8);
        cancel_->SetBackgroundColor(kBackground);
        connect(cancel_, &TaButton::Command, this, &TaDialog::OnCommand);
    }

    const int dpiX = DpiX();
    const int dpiY = DpiY();
    const int top = CaptionHeight() + 4;
    const int mx = 3 * dpiX / 8;  // side margin
    const int my = dpiY / 4;      // margin above the rows and above the button
    const int pitch = 5 * dpiY / 16;
    const int minValue = 2 * dpiX;  // room for a printer name without resizing
    const int bottomGap = 7 * dpiY / 32;

    int labelWidth = 0;
    int valueWidth = minValue;
    int rowHeight = 0;
    for (int i = 0; i < 4; ++i) {
        const QSize label = labels_[i]->Measure();
        const QSize value = values_[i]->Measure();
        labelWidth = std::max(labelWidth, label.width());
        valueWidth = std::max(valueWidth, value.width());
        rowHeight = std::max({rowHeight, label.height(), value.height()});
    }
    const QSize button = cancel_->Measure();
    const int width = std::max(mx + labelWidth + valueWidth + mx, button.width() + 2 * mx) + 4;
    const int buttonTop = top + my + 3 * pitch + rowHeight + my;
    resize(width, buttonTop + button.height() + bottomGap);
    CenterOnDesktop();

    // Labels end where the values begin, each row centred on its line.
    valueLeft_ = 2 + mx + labelWidth;
    for (int i = 0; i < 4; ++i) {
        const int rowTop = top + my + i * pitch;
        labels_[i]->SetPosition(valueLeft_ - labels_[i]->width(),
                                rowTop + (rowHeight - labels_[i]->height()) / 2);
        values_[i]->SetPosition(valueLeft_, rowTop + (rowHeight - values_[i]->height()) / 2);
    }
    cancel_->SetPosition((width - button.width()) / 2, buttonTop);

    SetDefaultControl(cancel_);
    return 1;
}

bool CCalcPrintingDialog::DrawContent(QPainter& painter) {
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        if (labels_[i] != nullptr) ok = labels_[i]->Draw(painter) && ok;
        if (values_[i] != nullptr) ok = values_[i]->Draw(painter) && ok;
    }
    if (cancel_ != nullptr) ok = cancel_->Draw(painter) && ok;
    return ok;
}

void CCalcPrintingDialog::ShowProgress() {
    // The job goes on while the window shows: no modal loop of its own.
    setWindowModality(Qt::NonModal);
    // The job disables its main window, and with it this owned window:
    // enabled on its own, Cancel and Esc still reach it.
    setEnabled(true);
    if (!Initialized()) Initialize();
    const bool animate = AnimationsEnabled();
    SetReveal(animate ? 0.0 : 1.0);
    if (Shadow() != nullptr) {
        Shadow()->SetReveal(animate ? 0.0 : 1.0);
        Shadow()->show();  // first, so that the window stands in front of it
    }
    show();
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) raise();
    activateWindow();
    if (cancel_ != nullptr) cancel_->setFocus(Qt::OtherFocusReason);
    if (!animate) return;
    auto* open = new QPropertyAnimation(this, "reveal", this);
    open->setStartValue(0.0);
    open->setEndValue(1.0);
    open->setDuration(OpenMilliseconds);
    connect(open, &QAbstractAnimation::finished, this, [this] {
        if (Closing() || Shadow() == nullptr) return;
        auto* shadow = new QPropertyAnimation(Shadow(), "reveal", this);
        shadow->setStartValue(0.0);
        shadow->setEndValue(1.0);
        shadow->setDuration(OpenMilliseconds);
        opening_ = shadow;
        shadow->start(QAbstractAnimation::DeleteWhenStopped);
    });
    opening_ = open;
    open->start(QAbstractAnimation::DeleteWhenStopped);
    // Pages take the event loop for long stretches: the window is whole on
    // the screen before the first of them, never caught half grown.
    QEventLoop wait;
    QTimer::singleShot(4 * OpenMilliseconds, &wait, &QEventLoop::quit);
    connect(open, &QAbstractAnimation::finished, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    SetReveal(1.0);
    repaint();
}

void CCalcPrintingDialog::SetPrinted(unsigned count) {
    if (count == printed_) return;
    printed_ = count;
    TaStatic* value = values_[IdPage - IdDocument];
    if (value == nullptr) return;  // shown from the start when it opens
    value->SetText(QString::number(count));
    const QPoint at = value->Position();
    const int oldHeight = value->height();
    value->Measure();
    value->SetPosition(at.x(), at.y() + (oldHeight - value->height()) / 2);
}

void CCalcPrintingDialog::OnCancel() {
    if (Closing()) return;
    aborted_ = true;
    TaDialog::OnCancel();
}

void CCalcPrintingDialog::CloseProgress() {
    if (opening_) opening_->stop();
    if (Closing()) return;
    if (!isVisible()) {
        if (Shadow() != nullptr) Shadow()->hide();
        return;
    }
    // Waits for the closing animation, so the caller may delete the window.
    QEventLoop wait;
    connect(this, &QDialog::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(4 * CloseMilliseconds, &wait, &QEventLoop::quit);
    EndAnimated(IDCANCEL);
    if (isVisible()) wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (Shadow() != nullptr) Shadow()->hide();
    hide();
}
