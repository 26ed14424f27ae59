#include "toolkit/TaMessageDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <climits>
#include <cmath>

#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaAccessible.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaResources.h"
#include "toolkit/TaStatic.h"
#include "toolkit/TaStrings.h"
#include "toolkit/TaText.h"

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

QStringList TaMessageDialog::BreakLine(const QString& line, int maxWidth,
                                       const std::function<int(const QString&)>& widthOf) {
    QStringList pieces;
    QString rest = line;
    const auto trimmedRight = [](const QString& text) {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
        return text.left(end);
    };
    while (rest.size() > 1 && widthOf(rest) > maxWidth) {
        // Break points: just after a separator or a space.
        QVector<qsizetype> breaks;
        for (qsizetype i = 1; i < rest.size(); ++i) {
            const QChar c = rest[i - 1];
            if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(' '))
                breaks.append(i);
        }
        // The longest piece that fits (wider prefixes never fit when a shorter does not).
        qsizetype cut = -1;
        qsizetype low = 0, high = breaks.size() - 1;
        while (low <= high) {
            const qsizetype middle = (low + high) / 2;
            if (widthOf(trimmedRight(rest.left(breaks[middle]))) <= maxWidth) {
                cut = breaks[middle];
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        if (cut <= 0 || trimmedRight(rest.left(cut)).isEmpty()) {
            // No break point fits: as many characters as fit, at least one.
            qsizetype fits = 1, lo = 2, hi = rest.size() - 1;
            while (lo <= hi) {
                const qsizetype middle = (lo + hi) / 2;
                if (widthOf(rest.left(middle)) <= maxWidth) {
                    fits = middle;
                    lo = middle + 1;
                } else {
                    hi = middle - 1;
                }
            }
            cut = fits;
        }
        pieces.append(trimmedRight(rest.left(cut)));
        rest = rest.mid(cut);
    }
    pieces.append(rest);
    return pieces;
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

    const int dpiX = DpiX();
    const int dpiY = DpiY();
    const int caption = CaptionHeight();
    const int mx = 3 * dpiX / 8;
    const int my = 3 * dpiY / 8;
    const int p = 5 * dpiY / 16;

    bool twoLines = false;
    const auto lines = SplitLines(text_, &twoLines);
    if (!built) {
        // The dialog never grows wider than the work area: a line too wide
        // for it is shown as several.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int workWidth = screen != nullptr ? screen->availableGeometry().width() : 0;
        const int maxText = workWidth > 0 ? std::max(1, workWidth - 2 * mx - 4) : INT_MAX;
        const QFont font = Fonts().Font(TaFace::Regular, 13.0, TaFontStyle::Regular);
        const auto widthOf = [this, &font](const QString& text) {
            return static_cast<int>(std::ceil(TaMeasureText(font, text, this).width()));
        };
        QStringList shown = BreakLine(lines.first, maxText, widthOf);
        if (twoLines) shown += BreakLine(lines.second, maxText, widthOf);
        for (int i = 0; i < shown.size(); ++i) {
            auto* line = new TaStatic(i + 1, shown[i], this);
            line->SetFont(&Fonts(), TaFace::Regular, 13.0, TaFontStyle::Regular);
            line->SetTextColor(0xFE202020);
            lines_.append(line);
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

    int iw = 13 * dpiX / 8;
    if (kind_ == Kind::Asks || kind_ == Kind::Warns) iw = (iw * 270 + 128) / 256;
    const int ih = 13 * dpiY / 8;
    const int g = 3 * dpiX / 16;
    const int bottomGap = 7 * dpiY / 32;

    int linesWidth = 0;
    for (TaStatic* line : lines_) linesWidth = std::max(linesWidth, line->Measure().width());
    const int line1Height = lines_[0]->height();
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
    // Every further line one pitch lower.
    const int secondPitch = static_cast<int>(lines_.size() - 1) * p;
    // A caption longer than the content needs (a translated one) widens the
    // window, so that it clears the caption icon and the close button.
    const QFont captionFont = Fonts().Font(TaFace::Bold, 11.0, TaFontStyle::Bold);
    const int captionWidth =
        static_cast<int>(std::ceil(TaMeasureText(captionFont, windowTitle(), this).width())) +
        2 * (caption + 4);
    const int width = std::max(std::max({iw, linesWidth, row}) + 2 * mx + 4, captionWidth);
    const int height = t + line1Height + secondPitch + my + bh + bottomGap;
    resize(width, height);
    CenterOnDesktop();

    kindImage_.Load(ImageIdOf(kind_), iw, ih, devicePixelRatioF());
    kindImage_.SetPosition((width - iw) / 2, my + caption + 4);
    for (int i = 0; i < lines_.size(); ++i)
        lines_[i]->SetPosition((width - lines_[i]->width()) / 2, t + i * p);
    const int rowLeft = (width - row) / 2;
    const int rowTop = t + line1Height + secondPitch + my;
    for (int i = 0; i < n; ++i) buttons_[i]->SetPosition(rowLeft + i * (bw + g), rowTop);

    TaButton* defaultButton = buttons_[defaultIndex_];
    SetDefaultControl(defaultButton);
    defaultButton->setFocus(Qt::OtherFocusReason);
    return 1;
}

bool TaMessageDialog::DrawContent(QPainter& painter) {
    kindImage_.Draw(painter);  // a missing image is simply not drawn
    bool ok = true;
    for (TaStatic* line : lines_) ok = line->Draw(painter) && ok;
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

int TaMessageDialog::ButtonForLetter(const QString& text) const {
    if (text.size() != 1 || !text[0].isLetter()) return -1;
    const QString letter = text.toCaseFolded();
    int found = -1;
    for (int i = 0; i < buttons_.size(); ++i) {
        const QString caption = TaSpokenText(buttons_[i]->Text());
        if (caption.isEmpty() || caption.left(1).toCaseFolded() != letter) continue;
        if (found >= 0) return -1;  // ambiguous
        found = i;
    }
    return found;
}

void TaMessageDialog::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers chord =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!Closing() && chord == Qt::NoModifier) {
        const int index = ButtonForLetter(event->text());
        if (index >= 0) {
            event->accept();
            OnCommand(buttons_[index]->Id());
            return;
        }
    }
    TaDialog::keyPressEvent(event);
}

QString TaMessageDialog::KindImageName(Kind kind) {
    switch (kind) {
        case Kind::Stops:
            return tr("Stop");
        case Kind::Asks:
            return tr("Question");
        case Kind::Warns:
            return tr("Warning");
        case Kind::Informs:
            break;
    }
    return tr("Information");
}

QAccessible::Role TaMessageDialog::AccessibleRole() const {
    return kind_ == Kind::Warns || kind_ == Kind::Stops ? QAccessible::AlertMessage
                                                        : QAccessible::Dialog;
}

QVector<TaDialog::AccessibleImage> TaMessageDialog::AccessibleImages() const {
    if (kindImage_.IsNull()) return {};
    return {{&kindImage_, KindImageName(kind_)}};
}

int TaMessageBox(QWidget* owner, const QString& text, unsigned type, unsigned promptId,
                 const TaFonts& fonts) {
    QApplication::beep();
    TaMessageDialog dialog(text, type, TaMessageDialog::HelpIdFor(promptId), fonts, owner);
    return dialog.DoModal();
}
