// The toolkit's controls, fonts and artwork outside a dialog.
#include <QBackingStore>
#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaButtonBitmap.h"
#include "toolkit/TaColor.h"
#include "toolkit/TaFirstFrame.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaImage.h"
#include "toolkit/TaResources.h"
#include "toolkit/TaShadow.h"
#include "toolkit/TaText.h"

namespace {

// A button of the message dialog's kind, shown in a plain window.
struct ButtonHost {
    QWidget window;
    TaButton* button;
    explicit ButtonHost(const QString& text = QStringLiteral("Close")) {
        window.resize(300, 120);
        button = new TaButton(7, text, &window);
        button->SetFont(&TestFonts(), TaFace::Bold, 12.0, TaFontStyle::Bold);
        button->SetTextColor(0xFE404040);
        button->SetFaceColor(0xFFD8D8D8);
        button->SetBackgroundColor(0xFFF8F8F8);
        button->Measure();
        button->move(20, 20);
        window.show();
    }
};

QImage Render(QWidget& widget) { return widget.grab().toImage(); }

}  // namespace

class TaControlsTest : public QObject {
    Q_OBJECT
private slots:
    void facesLoad() {
        for (TaFace face : {TaFace::Regular, TaFace::Semibold, TaFace::Bold}) {
            QVERIFY(TestFonts().Loaded(face));
            QCOMPARE(TestFonts().Family(face), QStringLiteral("Open Sans"));
        }
        QCOMPARE(QFontInfo(TestFonts().Font(TaFace::Semibold, 13)).styleName(),
                 QStringLiteral("Semibold"));
        QCOMPARE(QFontInfo(TestFonts().Font(TaFace::Bold, 12, TaFontStyle::Bold)).styleName(),
                 QStringLiteral("Bold"));
    }

    // A face that cannot load stays empty and falls back to sans-serif; the others load.
    void missingFaceFallsBack() {
        TaFonts fonts;
        QVERIFY(!fonts.LoadFace(TaFace::Regular, QStringLiteral(":/fonts/999.ttf")));
        QVERIFY(fonts.LoadFace(TaFace::Bold, TaFontPath(TaFonts::BoldId)));
        QVERIFY(!fonts.Loaded(TaFace::Regular));
        QVERIFY(fonts.Family(TaFace::Regular).isEmpty());
        QVERIFY(fonts.Loaded(TaFace::Bold));
        const QFont fallback = fonts.Font(TaFace::Regular, 13);
        QCOMPARE(fallback.family(), QStringLiteral("sans-serif"));
        QCOMPARE(fallback.pointSizeF(), 13.0);
        QCOMPARE(fonts.Font(TaFace::Bold, 12).family(), QStringLiteral("Open Sans"));
    }

    // Height = floor(dpiY * size * 2.1 / 72 + y + 0.5) - floor(y); width adds 1.9 text heights.
    void buttonSizeFormula_data() {
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("12 pt, top 0.11 below a pixel: 34 high")
            << QRectF(0, -17.1094, 42.375, 21.7969) << 12.0 << 96 << QSize(84, 34);
        QTest::newRow("12 pt, top on a pixel: 34 high")
            << QRectF(0, -17.0, 40, 22) << 12.0 << 96 << QSize(82, 34);
        QTest::newRow("12 pt, top 0.05 below a pixel: 35 high")
            << QRectF(0, -17.05, 40, 22) << 12.0 << 96 << QSize(82, 35);
        QTest::newRow("12 pt, top 0.09 below a pixel: 35 high")
            << QRectF(0, -17.09, 40, 22) << 12.0 << 96 << QSize(82, 35);
        QTest::newRow("a fractional left edge")
            << QRectF(0.9, -17.5, 40, 22) << 12.0 << 96 << QSize(83, 34);
        QTest::newRow("192 dpi") << QRectF(0, -34.2188, 84.75, 43.5938) << 12.0 << 192
                                 << QSize(168, 68);
        QTest::newRow("11 pt") << QRectF(0, -15.68, 30, 20) << 11.0 << 96 << QSize(68, 31);
    }
    void buttonSizeFormula() {
        QFETCH(QRectF, box);
        QFETCH(double, points);
        QFETCH(int, dpi);
        QFETCH(QSize, expected);
        QCOMPARE(TaButton::SizeFor(box, points, dpi), expected);
    }

    void buttonMeasuresAt96Dpi() {
        ButtonHost host;
        QCOMPARE(host.window.logicalDpiY(), 96);
        const QRectF box =
            TaMeasureText(host.button->DrawFont(), QStringLiteral("Close"), &host.window);
        QCOMPARE(host.button->height(), 34);
        QCOMPARE(host.button->width(), qFloor(box.width() + 1.9 * box.height() + 0.5));
    }

    // Pressing, moving and releasing: only a release inside the clip region
    // of a held button sends the command.
    void releaseSendsCommandOnlyInside_data() {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("commands");
        QTest::newRow("press and release in the middle") << QPoint(40, 17) << QPoint(40, 17) << 1;
        QTest::newRow("release outside the button") << QPoint(40, 17) << QPoint(200, 90) << 0;
        QTest::newRow("release in the cut-off corner") << QPoint(40, 17) << QPoint(1, 1) << 0;
        QTest::newRow("press in the corner is no press") << QPoint(1, 1) << QPoint(40, 17) << 0;
        QTest::newRow("release near the round end, inside") << QPoint(40, 17) << QPoint(6, 17) << 1;
    }
    void releaseSendsCommandOnlyInside() {
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(int, commands);
        ButtonHost host;
        QSignalSpy spy(host.button, &TaButton::Command);
        QTest::mousePress(host.button, Qt::LeftButton, {}, press);
        QCOMPARE(host.button->IsHeld(), host.button->InRegion(QPointF(press) + QPointF(0.5, 0.5)));
        QTest::mouseMove(host.button, release);
        QTest::mouseRelease(host.button, Qt::LeftButton, {}, release);
        QCOMPARE(spy.count(), commands);
        if (commands == 1) QCOMPARE(spy.first().first().toInt(), 7);
        QVERIFY(!host.button->IsHeld());
        QVERIFY(!host.button->IsPressed());
    }

    void pressedFollowsThePointerWhileHeld() {
        ButtonHost host;
        QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(40, 17));
        QVERIFY(host.button->IsPressed());
        QTest::mouseMove(host.button, QPoint(200, 90));
        QVERIFY(host.button->IsHeld());
        QVERIFY(!host.button->IsPressed());
        QTest::mouseMove(host.button, QPoint(41, 17));
        QVERIFY(host.button->IsPressed());
        QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(41, 17));
        QVERIFY(host.button->IsHovered());
    }

    void spaceClicksTheButton() {
        ButtonHost host;
        host.button->setFocus();
        QSignalSpy spy(host.button, &TaButton::Command);
        QTest::keyPress(host.button, Qt::Key_Space);
        QVERIFY(host.button->IsPressed());
        QCOMPARE(spy.count(), 0);
        QTest::keyRelease(host.button, Qt::Key_Space);
        QVERIFY(!host.button->IsPressed());
        QCOMPARE(spy.count(), 1);
    }

    // Face D8D8D8: dark grey 565656 at the top, the face colour halfway, white
    // at the bottom, a white gloss on the upper half, background outside.
    void buttonFaceGradient_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("expected");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("corner keeps the background") << QPoint(0, 0) << 0xFFF8F8F8u << 0;
        QTest::newRow("upper left, outside the gloss: dark to face")
            << QPoint(7, 12) << 0xFFAAAAAAu << 8;
        QTest::newRow("halfway down: the face colour") << QPoint(-2, 17) << 0xFFD8D8D8u << 6;
        QTest::newRow("near the bottom: almost white") << QPoint(-1, 29) << 0xFFF9F9F9u << 6;
        QTest::newRow("top middle: under the white gloss") << QPoint(-1, 4) << 0xFFF6F6F6u << 6;
    }
    void buttonFaceGradient() {
        QFETCH(QPoint, point);
        QFETCH(uint, expected);
        QFETCH(int, tolerance);
        ButtonHost host(QStringLiteral("Cancel"));
        QCOMPARE(host.button->height(), 34);
        const QImage image = host.button->NormalImage();
        // -1: the middle column (above and below the text); -2: right of the text.
        const int w = host.button->width();
        const int x = point.x() == -1 ? w / 2 : point.x() == -2 ? w - 12 : point.x();
        const QRgb pixel = PixelAt(image, x, point.y());
        QVERIFY2(Near(pixel, expected, tolerance), qPrintable(Hex(pixel)));
    }

    void pressedImageDiffers() {
        ButtonHost host;
        const QImage normal = host.button->NormalImage();
        const QImage pressed = host.button->PressedImage();
        QCOMPARE(normal.size(), pressed.size());
        QVERIFY(normal != pressed);
        // Rings 4-9 lighten the pressed face near the edge.
        const int y = host.button->height() / 2;
        QVERIFY(qGray(PixelAt(pressed, 5, y)) > qGray(PixelAt(normal, 5, y)));
    }

    // A disabled round button ignores clicks and is washed with white.
    void disabledBitmapButtonIgnoresClicks_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("enabled") << true << 1;
        QTest::newRow("disabled") << false << 0;
    }
    void disabledBitmapButtonIgnoresClicks() {
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QWidget window;
        auto* button = new TaButtonBitmap(TaArt::MemoryFree, &window);
        button->SetFaceColor(0xFFD8D8D8);
        button->resize(button->sizeHint());
        QCOMPARE(button->size(), QSize(35, 35));
        button->setEnabled(enabled);
        window.show();
        QSignalSpy spy(button, &QAbstractButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(17, 17));
        QCOMPARE(spy.count(), clicks);
    }

    void disabledBitmapButtonIsWashedOut() {
        QWidget window;
        auto* button = new TaButtonBitmap(TaArt::MemorySave, &window);
        button->SetFaceColor(0xFFD8D8D8);
        button->resize(35, 35);
        window.show();
        const QImage enabled = Render(*button);
        button->setEnabled(false);
        const QImage disabled = Render(*button);
        // The face near the top edge: the circle's wash 0x48FFFFFF over it.
        for (QPoint p : {QPoint(17, 5), QPoint(17, 17), QPoint(10, 25)}) {
            const QRgb before = PixelAt(enabled, p.x(), p.y());
            const QRgb after = PixelAt(disabled, p.x(), p.y());
            const auto wash = [](int c) { return c + (255 - c) * 0x48 / 255; };
            const QRgb expected =
                qRgb(wash(qRed(before)), wash(qGreen(before)), wash(qBlue(before)));
            QVERIFY2(Near(after, expected, 3), qPrintable(Hex(before) + " -> " + Hex(after)));
        }
        // Outside the circle only the background shows.
        QCOMPARE(Hex(PixelAt(disabled, 0, 0)), Hex(PixelAt(enabled, 0, 0)));
    }

    void bitmapButtonRegionIsTheEllipse() {
        QWidget window;
        auto* button = new TaButtonBitmap(TaArt::MemoryClear, &window);
        button->resize(35, 35);
        window.show();
        QSignalSpy spy(button, &QAbstractButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(2, 2));  // the square's corner
        QCOMPARE(spy.count(), 0);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 17));
        QCOMPARE(spy.count(), 1);
    }

    // Every piece of artwork exists and renders something at its size.
    void artworkLoads_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QSize>("size");
        QTest::newRow("program icon 128") << 128 << QSize(32, 32);
        QTest::newRow("about logo 139") << 139 << QSize(169, 169);
        QTest::newRow("caption icon 141") << 141 << QSize(24, 24);
        QTest::newRow("informs 145") << 145 << QSize(156, 156);
        QTest::newRow("asks 146") << 146 << QSize(165, 156);
        QTest::newRow("warns 147") << 147 << QSize(165, 156);
        QTest::newRow("stops 148") << 148 << QSize(156, 156);
        for (int id = 150; id <= 154; ++id)
            QTest::newRow(qPrintable(QStringLiteral("memory button %1").arg(id)))
                << id << QSize(21, 21);
    }
    void artworkLoads() {
        QFETCH(int, id);
        QFETCH(QSize, size);
        TaImage image;
        QVERIFY(image.Load(id, size.width(), size.height(), 2.0));
        QCOMPARE(image.Image().size(), size * 2);
        QCOMPARE(image.Width(), size.width());
        int opaque = 0;
        const QImage& pixels = image.Image();
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x)
                opaque += qAlpha(pixels.pixel(x, y)) > 200 ? 1 : 0;
        QVERIFY2(opaque > pixels.width() * pixels.height() / 5,
                 qPrintable(QString::number(opaque)));
    }

    void missingArtworkIsNotDrawn() {
        TaImage image;
        QVERIFY(!image.Load(999, 16, 16));
        QImage target(16, 16, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::transparent);
        QPainter painter(&target);
        QVERIFY(!image.Draw(painter));
    }

    void toolbarImages() {
        for (int i = 0; i < TaArt::ToolbarImageCount; ++i) {
            const QIcon icon = TaToolbarIcon(i);
            QVERIFY2(!icon.isNull(), qPrintable(QString::number(i)));
            QCOMPARE(icon.pixmap(32, 32).size(), QSize(32, 32));
        }
        QVERIFY(TaToolbarIcon(17).isNull());
        QVERIFY(!TaProgramIcon().isNull());
    }

    // The shadow image: transparent at its edge, darkest in its middle strip.
    // The store is made before the paint that fills it: every pixel of the
    // first frame must still be painted, at the window's final size.
    void firstFrameIsPaintedWhole() {
        QWidget window;
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
        window.setPalette(palette);
        window.resize(320, 200);
        TaPrepareFirstFrame(&window);
        window.resize(360, 240);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        auto* image = dynamic_cast<QImage*>(window.backingStore()->paintDevice());
        QVERIFY(image != nullptr);
        QCOMPARE(image->size(), QSize(360, 240));
        int wrong = 0;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                wrong += image->pixelColor(x, y) != QColor(0x12, 0x34, 0x56) ? 1 : 0;
        QCOMPARE(wrong, 0);
    }

    void shadowImage() {
        const QImage image = TaShadowImage(132);
        const int r = (132 - 4) / 2;
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(0, 66)), 0);
        const int peak = qAlpha(image.pixel(66, 66));
        QVERIFY(peak > 40 && peak < 120);
        QCOMPARE(qAlpha(image.pixel(r, 66)),
                 peak);  // the corner tiles meet the middle at full strength
        int previous = peak;
        for (int x = r - 1; x >= 0; --x) {
            const int alpha = qAlpha(image.pixel(x, 66));
            QVERIFY(alpha <= previous);
            previous = alpha;
        }
    }
};

TOOLKIT_SUITE(TaControlsTest);
#include "TaControlsTest.moc"
