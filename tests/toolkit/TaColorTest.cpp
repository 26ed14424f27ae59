// The HSL colour helper and the three face tones buttons are shaded with.
#include <QTest>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/TaColor.h"

class TaColorTest : public QObject {
    Q_OBJECT
private slots:
    void rgbToHsl_data() {
        QTest::addColumn<uint>("argb");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("l");
        QTest::newRow("black is a grey without hue") << 0xFF000000u << -1.0 << 0.0 << 0.0;
        QTest::newRow("white") << 0xFFFFFFFFu << -1.0 << 0.0 << 1.0;
        QTest::newRow("button face D8D8D8") << 0xFFD8D8D8u << -1.0 << 0.0 << 216.0 / 255.0;
        QTest::newRow("red sits at hue 1") << 0xFFFF0000u << 1.0 << 1.0 << 0.5;
        QTest::newRow("green sits at hue 3") << 0xFF00FF00u << 3.0 << 1.0 << 0.5;
        QTest::newRow("blue sits at hue 5") << 0xFF0000FFu << 5.0 << 1.0 << 0.5;
        QTest::newRow("orange between red and green")
            << 0xFFFF8000u << 1.0 + 128.0 / 255.0 << 1.0 << 0.5;
        QTest::newRow("magenta below red") << 0xFFFF00FFu << 0.0 << 1.0 << 0.5;
        QTest::newRow("dark teal") << 0xFF206060u << 4.0 << 0.5 << 64.0 / 255.0;
    }
    void rgbToHsl() {
        QFETCH(uint, argb);
        QFETCH(double, h);
        QFETCH(double, s);
        QFETCH(double, l);
        const TaHsl hsl = TaRgbToHsl(argb);
        QVERIFY2(qAbs(hsl.h - h) < 1e-9, qPrintable(QString::number(hsl.h)));
        QVERIFY2(qAbs(hsl.s - s) < 1e-9, qPrintable(QString::number(hsl.s)));
        QVERIFY2(qAbs(hsl.l - l) < 1e-9, qPrintable(QString::number(hsl.l)));
    }

    // Every colour survives the way there and back.
    void roundTrip_data() {
        QTest::addColumn<uint>("argb");
        for (uint value :
             {0xFF000000u, 0xFFFFFFFFu, 0xFFD8D8D8u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
              0xFF123456u, 0xFFFEDCBAu, 0xFF20A0E8u, 0xFF800000u, 0xFFF0D8E0u, 0xFF7F7F80u})
            QTest::newRow(qPrintable(Hex(value))) << value;
    }
    void roundTrip() {
        QFETCH(uint, argb);
        QCOMPARE(Hex(TaHslToRgb(TaRgbToHsl(argb))), Hex(argb));
    }

    // The three tones of a face colour: light 1.8 L, dark 0.4 L, lightest 2 L, capped at 1.
    void faceTones_data() {
        QTest::addColumn<uint>("face");
        QTest::addColumn<double>("factor");
        QTest::addColumn<uint>("expected");
        QTest::newRow("D8D8D8 dark is 565656") << 0xFFD8D8D8u << 0.4 << 0xFF565656u;
        QTest::newRow("D8D8D8 light is white") << 0xFFD8D8D8u << 1.8 << 0xFFFFFFFFu;
        QTest::newRow("D8D8D8 lightest is white") << 0xFFD8D8D8u << 2.0 << 0xFFFFFFFFu;
        QTest::newRow("404040 light") << 0xFF404040u << 1.8 << 0xFF737373u;
        QTest::newRow("pure red dark keeps the hue") << 0xFFFF0000u << 0.4 << 0xFF660000u;
        QTest::newRow("pure red light") << 0xFFFF0000u << 1.8 << 0xFFFFCCCCu;
        QTest::newRow("alpha is kept") << 0x80D8D8D8u << 0.4 << 0x80565656u;
    }
    void faceTones() {
        QFETCH(uint, face);
        QFETCH(double, factor);
        QFETCH(uint, expected);
        QCOMPARE(Hex(TaScaleLightness(face, factor)), Hex(expected));
    }

    void colorRef() {
        QCOMPARE(Hex(TaFromColorRef(0x00D8A020)), Hex(0xFF20A0D8));
        QCOMPARE(TaToColorRef(0xFF20A0D8), 0x00D8A020u);
        QCOMPARE(Hex(TaArgb(0xFE20A0E8).rgba()), Hex(0xFE20A0E8));
    }
};

TOOLKIT_SUITE(TaColorTest);
#include "TaColorTest.moc"
