// Shared pieces of the toolkit's Qt Test suites.
#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <functional>

class QObject;
class QWidget;
class TaDialog;
class TaFonts;

// The three faces, loaded once for the whole run.
const TaFonts& TestFonts();

// Suites register themselves by name; main runs the one asked for.
using SuiteFactory = std::function<QObject*()>;
bool RegisterSuite(const char* name, SuiteFactory factory);
// Class names a type, which cannot stand in parentheses after new.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define TOOLKIT_SUITE(Class)               \
    static const bool registered_##Class = \
        RegisterSuite(#Class, [] { return static_cast<QObject*>(new Class); })
// NOLINTEND(bugprone-macro-parentheses)

// Runs `dialog` modally; once it is shown (and fully open), calls `whileOpen`
// from the event loop, which must end the dialog (keys, clicks). Returns the
// modal result. Fails the test when the dialog is still open after `timeoutMs`.
int RunModal(TaDialog& dialog, const std::function<void()>& whileOpen, int timeoutMs = 5000);

// The pixel at window coordinates (x, y) of a rendered image whose device
// pixel ratio may differ from 1.
QRgb PixelAt(const QImage& image, int x, int y);

// True when each channel of a and b differs by at most `tolerance`.
bool Near(QRgb a, QRgb b, int tolerance);
QString Hex(QRgb value);
