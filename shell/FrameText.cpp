#include "shell/FrameText.h"

#include <QCoreApplication>

#include "engine/NumberFormat.h"
#include "toolkit/U16Text.h"

QString BuildFrameTitle(const QString& frameTitle, const QString& documentTitle, bool modified,
                        int windowNumber) {
    QString title = QLatin1Char(' ') + frameTitle + QStringLiteral(" \u2014 ") + documentTitle;
    if (modified) title += QChar(0x00B0);
    if (windowNumber > 0) title += QLatin1Char(':') + QString::number(windowNumber);
    return title;
}

QString BuildFrameTitle(const QString& frameTitle) { return QLatin1Char(' ') + frameTitle; }

QString ResultPaneText(double result) {
    const std::u16string formatted = NCalculatorText::FormatResult(result);
    return QCoreApplication::translate("CCalcMainFrame", "rslt = %1")
        .arg(QStringFromU16(formatted));
}
