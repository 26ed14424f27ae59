#include "tests/toolkit/ToolkitTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <map>
#include <string>

#include "toolkit/TaDialog.h"
#include "toolkit/TaFonts.h"

std::map<std::string, SuiteFactory>& Suites();

const TaFonts& TestFonts() {
    static TaFonts* fonts = [] {
        auto* set = new TaFonts;
        set->Load();
        return set;
    }();
    return *fonts;
}

int RunModal(TaDialog& dialog, const std::function<void()>& whileOpen, int timeoutMs) {
    bool called = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (called || !dialog.isVisible() || dialog.Reveal() < 1.0 ||
            QApplication::activeWindow() != &dialog)
            return;
        called = true;
        whileOpen();
    });
    poll.start();
    // A dialog the test failed to close is closed here, so the run goes on.
    QTimer guard;
    guard.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        dialog.done(-2);
    });
    guard.start(timeoutMs);
    const int result = dialog.DoModal();
    poll.stop();
    guard.stop();
    if (timedOut) qWarning("RunModal: the dialog was still open after %d ms", timeoutMs);
    if (!called) qWarning("RunModal: the dialog never opened fully");
    return timedOut ? -2 : result;
}

QRgb PixelAt(const QImage& image, int x, int y) {
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance &&
           std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

QString Hex(QRgb value) {
    return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}
