#include "document/LiveResult.h"

#include <QStringList>

#include "document/CCalcView.h"
#include "engine/NumberFormat.h"
#include "toolkit/U16Text.h"

LiveResult::LiveResult(CCalcView* view) : QObject(view), view_(view) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &LiveResult::Update);
    const auto later = [this] {
        if (enabled_) timer_.start();
    };
    connect(view_, &QPlainTextEdit::textChanged, this, later);
    connect(view_, &QPlainTextEdit::cursorPositionChanged, this, later);
}

void LiveResult::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        Update();
    } else {
        timer_.stop();
        text_.clear();
        emit Changed(QString(), QString());
    }
}

QString LiveResult::TextOf(const NCalculatorText::CellPreview& preview) {
    if (!preview.calculated && preview.succeeded) return QString();
    if (preview.succeeded)
        return QStringLiteral("= ") + QStringFromU16(NCalculatorText::FormatResult(preview.value));
    // A run stops at its one error, the last diagnostic.
    for (std::size_t i = preview.diagnostics.size(); i-- > 0;)
        if (preview.severities[i] == 1) return QStringFromU16(preview.diagnostics[i]);
    return preview.diagnostics.empty() ? QString() : QStringFromU16(preview.diagnostics.front());
}

QString LiveResult::TipOf(const NCalculatorText::CellPreview& preview) {
    QStringList lines;
    for (const std::u16string& line : preview.diagnostics) lines.append(QStringFromU16(line));
    return lines.join(QLatin1Char('\n'));
}

void LiveResult::Update() {
    timer_.stop();
    if (!enabled_) return;
    const std::u16string text = U16FromQString(view_->EditorText());
    const NCalculatorText::CellPreview preview =
        NCalculatorText::PreviewCell(text, view_->textCursor().selectionStart());
    text_ = TextOf(preview);
    emit Changed(text_, TipOf(preview));
}
