#include "toolkit/TaMessageDialog.h"

#include <QApplication>
#include <QPainter>

#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaResources.h"
#include "toolkit/TaStatic.h"
#include "toolkit/TaStrings.h"

TaMessageDialog::Kind TaMessageDialog::KindOf(unsigned type) {
    Kind kind = Kind::Informs;
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            kind = Kind::Stops;
            break;
        case MB_ICONQUESTION:
            kind = Kind::Asks;
            break;
        case MB_ICONEXCLAMATION:
            kind = Kind::Warns;
            break;
        default:
            break;
    }
    const unsigned buttons = type & MB_TYPEMASK;
    if (kind == Kind::Informs && (buttons == MB_YESNO || buttons == MB_YESNOCANCEL))
        kind = Kind::Asks;
    return kind;
}

int TaMessageDialog::CaptionIdOf(Kind kind) {
    switch (kind) {
        case Kind::Stops:
            return TaStringId::CaptionStops;
        case Kind::Asks:
            return TaStringId::CaptionAsks;
        case Kind::Warns:
            return TaStringId::CaptionWarns;
        case Kind::Informs:
            break;
    }
    return TaStringId::CaptionInforms;
}

int TaMessageDialog::ImageIdOf(Kind kind) {
    switch (kind) {
        case Kind::Stops:
            return TaArt::Stops;
        case Kind::Asks:
            return TaArt::Asks;
        case Kind::Warns:
            return TaArt::Warns;
        case Kind::Informs:
            break;
    }
    return TaArt::Informs;
}

QVector<TaMessageDialog::ButtonEntry> TaMessageDialog::ButtonsOf(unsigned type) {
    using namespace TaStringId;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{ButtonOk, IDOK}, {ButtonCancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{ButtonAbort, IDABORT}, {ButtonRetry, IDRETRY}, {ButtonIgnore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{ButtonYes, IDYES}, {ButtonNo, IDNO}, {ButtonCancel, IDCANCEL}};
        case MB_YESNO:
            return {{ButtonYes, IDYES}, {ButtonNo, IDNO}};
        case MB_RETRYCANCEL:
            return {{ButtonRetry, IDRETRY}, {ButtonCancel, IDCANCEL}};
        case MB_CANCELTRYCONTINUE:
            return {{ButtonCancel, IDCANCEL},
                    {ButtonTryAgain, IDTRYAGAIN},
                    {ButtonContinue, IDCONTINUE}};
        default:
            return {{ButtonClose, IDOK}};
    }
}

int TaMessageDialog::DefaultButtonOf(unsigned type) {
    const int index = static_cast<int>((type & MB_DEFMASK) >> 8);
    return index < ButtonsOf(type).size() ? index : 0;
}

QPair<QString, QString> TaMessageDialog::SplitLines(const QString& text, bool* twoLines) {
    const qsizetype first = text.indexOf(QLatin1Char('\n'));
    if (twoLines != nullptr) *twoLines = first >= 0;
    if (first < 0) return {text, QString()};
    const qsizetype second = text.indexOf(QLatin1Char('\n'), first + 1);
    return {text.left(first),
            second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1)};
}

TaMessageDialog::TaMessageDialog(const QString& text, unsigned type, unsigned helpId,
                                 const TaFonts& fonts, QWidget* parent)
    : TaDialog(kTemplateId, fonts, parent), text_(text), type_(type), kind_(KindOf(type)) {
    setWindowTitle(QStringLiteral("Message"));
    if (helpId != 0) SetHelpId(helpId);
}

TaMessageDialog::~TaMessageDialog() = default;  // lines and buttons are child widgets

int TaMessageDialog::LayoutContent() {
    // Build once; the modal run may initialise again after a test's Initialize().
    const bool built = !buttons_.isEmpty();
    setWindowTitle(TaLoadString(CaptionIdOf(kind_)));
    table_ = ButtonsOf(type_);
    defaultIndex_ = DefaultButtonOf(type_);

    bool twoLines = false;
    const auto lines = SplitLines(text_, &twoLines);
    if (!built) {
        lines_[0] = new TaStatic(1, lines.first, this);
        if (twoLines) lines_[1] = new TaStatic(2, lines.second, this);
        for (TaStatic* line : lines_) {
            if (line == nullptr) continue;
            line->SetFont(&Fonts(), TaFace::Regular, 13.0, TaFontStyle::Regular);
            line->SetTextColor(0xFE202020);
        }
        for (const ButtonEntry& entry : table_) {
            auto* button = new TaButton(entry.result, TaLoadString(entry.captionId), this);
            button->SetFont(&Fonts(), TaFace::Bold, 12.0, TaFontStyle::Bold);
            button->SetTextColor(0xFE404040);
            button->SetFaceColor(0xFFD8D8D8);
            button->SetBackgroundColor(0xFFF8F8F8);
            connect(button, &TaButton::Command, this, &TaMessageDialog::OnCommand);
            buttons_.push_back(button);
        }
    }

    const int dpiX = DpiX();
    const int dpiY = DpiY();
    const int caption = CaptionHeight();
    const int mx = 3 * dpiX / 8;
    const int my = 3 * dpiY / 8;
    const int p = 5 * dpiY / 16;
    int iw = 13 * dpiX / 8;
    if (kind_ == Kind::Asks || kind_ == Kind::Warns) iw = (iw * 270 + 128) / 256;
    const int ih = 13 * dpiY / 8;
    const int g = 3 * dpiX / 16;
    const int bottomGap = 7 * dpiY / 32;

    const QSize line1 = lines_[0]->Measure();
    const QSize line2 = lines_[1] != nullptr ? lines_[1]->Measure() : QSize();
    int bw = 0;
    int bh = 0;
    for (int i = 0; i < buttons_.size(); ++i) {
        const QSize size = buttons_[i]->Measure();
        bw = std::max(bw, size.width());
        if (i == 0) bh = size.height();
    }
    for (TaButton* button : buttons_) button->resize(bw, bh);

    const int n = static_cast<int>(buttons_.size());
    const int row = n * bw + (n - 1) * g;
    const int t = caption + 4 + my + ih + p;
    const int secondPitch = lines_[1] != nullptr ? p : 0;
    const int width = std::max({iw, line1.width(), line2.width(), row}) + 2 * mx + 4;
    const int height = t + line1.height() + secondPitch + my + bh + bottomGap;
    resize(width, height);
    CenterOnDesktop();

    kindImage_.Load(ImageIdOf(kind_), iw, ih, devicePixelRatioF());
    kindImage_.SetPosition((width - iw) / 2, my + caption + 4);
    lines_[0]->SetPosition((width - line1.width()) / 2, t);
    if (lines_[1] != nullptr) lines_[1]->SetPosition((width - line2.width()) / 2, t + p);
    const int rowLeft = (width - row) / 2;
    const int rowTop = t + line1.height() + secondPitch + my;
    for (int i = 0; i < n; ++i) buttons_[i]->SetPosition(rowLeft + i * (bw + g), rowTop);

    TaButton* defaultButton = buttons_[defaultIndex_];
    SetDefaultControl(defaultButton);
    defaultButton->setFocus(Qt::OtherFocusReason);
    return 1;
}

bool TaMessageDialog::DrawContent(QPainter& painter) {
    kindImage_.Draw(painter);  // a missing image is simply not drawn
    bool ok = true;
    for (TaStatic* line : lines_) {
        if (line != nullptr) ok = line->Draw(painter) && ok;
    }
    for (TaButton* button : buttons_) ok = button->Draw(painter) && ok;
    return ok;
}

void TaMessageDialog::OnCommand(int id) {
    if (Closing()) return;
    if (id == IDOK || id == IDCANCEL) {
        TaDialog::OnCommand(id);
        return;
    }
    for (const ButtonEntry& entry : table_) {
        if (entry.result == id) {
            EndAnimated(id);
            return;
        }
    }
}

int TaMessageBox(QWidget* owner, const QString& text, unsigned type, unsigned promptId,
                 const TaFonts& fonts) {
    QApplication::beep();
    TaMessageDialog dialog(text, type, TaMessageDialog::HelpIdFor(promptId), fonts, owner);
    return dialog.DoModal();
}
