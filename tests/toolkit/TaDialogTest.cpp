// TaDialog: geometry, hit test, rendering, close button, keyboard, modal run.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "tests/support/StillDialogs.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaColor.h"
#include "toolkit/TaCompositing.h"
#include "toolkit/TaDialog.h"
#include "toolkit/TaShadow.h"
#include "toolkit/TaStatic.h"

namespace {

// A 300 x 200 dialog with one default "OK" button.
class PlainDialog : public TaDialog {
public:
    explicit PlainDialog(QWidget* parent = nullptr) : TaDialog(100, TestFonts(), parent) {
        setWindowTitle(QStringLiteral("Test"));
    }
    TaButton* ok = nullptr;

protected:
    int LayoutContent() override {
        resize(300, 200);
        move(200, 150);
        if (ok == nullptr) {
            ok = new TaButton(IDOK, QStringLiteral("OK"), this);
            ok->SetFont(&Fonts(), TaFace::Bold, 12.0, TaFontStyle::Bold);
            ok->SetFaceColor(0xFFD8D8D8);
            ok->SetBackgroundColor(0xFFF8F8F8);
            connect(ok, &TaButton::Command, this, &TaDialog::OnCommand);
        }
        ok->Measure();
        ok->SetPosition(120, 140);
        SetDefaultControl(ok);
        return 1;
    }
    bool DrawContent(QPainter& painter) override { return ok->Draw(painter); }
};

QImage Grab(TaDialog& dialog) { return dialog.grab().toImage(); }

// A 300 x 200 dialog with one label, sized to `boxText` and showing `text`,
// and an OK and a Cancel button; its layout step answers `layoutResult`
// after giving Cancel the focus when that answer is 0.
class LabelDialog : public TaDialog {
public:
    LabelDialog(QString boxText, QString text, int layoutResult = 1)
        : TaDialog(100, TestFonts(), nullptr),
          boxText_(std::move(boxText)),
          text_(std::move(text)),
          layoutResult_(layoutResult) {
        setWindowTitle(QStringLiteral("Test"));
    }
    TaStatic* label = nullptr;
    TaButton* ok = nullptr;
    TaButton* cancel = nullptr;

protected:
    int LayoutContent() override {
        resize(300, 200);
        move(200, 150);
        if (label == nullptr) {
            label = new TaStatic(1, boxText_, this);
            label->SetFont(&Fonts(), TaFace::Regular, 13.0, TaFontStyle::Regular);
            label->SetTextColor(0xFE202020);
            label->Measure();
            label->SetText(text_);
            label->SetPosition(30, 70);
            ok = new TaButton(IDOK, QStringLiteral("OK"), this);
            cancel = new TaButton(IDCANCEL, QStringLiteral("Cancel"), this);
            for (TaButton* button : {ok, cancel}) {
                button->SetFont(&Fonts(), TaFace::Bold, 12.0, TaFontStyle::Bold);
                button->Measure();
                connect(button, &TaButton::Command, this, &TaDialog::OnCommand);
            }
            ok->SetPosition(60, 140);
            cancel->SetPosition(160, 140);
        }
        SetDefaultControl(ok);
        if (layoutResult_ == 0) cancel->setFocus(Qt::OtherFocusReason);
        return layoutResult_;
    }
    bool DrawContent(QPainter& painter) override {
        return label->Draw(painter) && ok->Draw(painter) && cancel->Draw(painter);
    }

private:
    QString boxText_;
    QString text_;
    int layoutResult_;
};

QImage ClientPart(const TaDialog& dialog) {
    const qreal ratio = dialog.BackBuffer().devicePixelRatio();
    const QRect client = dialog.ClientRect();
    return dialog.BackBuffer().copy(QRect(client.topLeft() * ratio, client.size() * ratio));
}

}  // namespace

class TaDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { StillDialogs::Begin(); }
    void cleanup() { StillDialogs::End(); }

    // Caption 34, corner 11, icon 24 at (6, 7), close circle 18 at (W - 29, 10), margins 43.
    void geometryAt96Dpi() {
        PlainDialog dialog;
        QVERIFY(dialog.Initialize());
        QCOMPARE(dialog.DpiY(), 96);
        QCOMPARE(dialog.CaptionHeight(), 34);
        QCOMPARE(dialog.CornerRadius(), 11);
        QCOMPARE(dialog.CaptionIcon().Width(), 24);
        QCOMPARE(dialog.CaptionIcon().Position(), QPoint(6, 7));
        QCOMPARE(dialog.CloseButtonBox(), QRectF(300 - 29, 10, 18, 18));
        QCOMPARE(dialog.ClientRect(), QRect(2, 38, 296, 160));
        QVERIFY(dialog.Shadow() != nullptr);
        QCOMPARE(dialog.Shadow()->MarginX(), 43);
        QCOMPARE(dialog.Shadow()->MarginY(), 43);
        // Grown by 43 on every side, then moved down by 7 * 43 / 16 = 18.
        QCOMPARE(dialog.Shadow()->geometry(), QRect(200 - 43, 150 - 43 + 18, 300 + 86, 200 + 86));
    }

    void shadowFollowsTheDialog() {
        PlainDialog dialog;
        dialog.Initialize();
        dialog.show();
        dialog.move(400, 300);
        QCOMPARE(dialog.Shadow()->pos(), QPoint(400 - 43, 300 + 18 - 43));
    }

    // Without a window manager to move it, the dialog follows the pointer itself.
    void draggingTheCaptionMovesTheDialog() {
        PlainDialog dialog;
        dialog.Initialize();
        dialog.show();
        const QPoint start = dialog.pos();
        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(150, 18));
        QTest::mouseMove(&dialog, QPoint(180, 38));
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(180, 38));
        QCOMPARE(dialog.pos(), start + QPoint(30, 20));
        QCOMPARE(dialog.Shadow()->pos(), dialog.pos() + QPoint(-43, 18 - 43));
        // The client area does not drag.
        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(150, 100));
        QTest::mouseMove(&dialog, QPoint(170, 120));
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(170, 120));
        QCOMPARE(dialog.pos(), start + QPoint(30, 20));
    }

    void hitTest_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("hit");
        using H = TaDialog::Hit;
        QTest::newRow("outside") << QPoint(-1, 10) << int(H::Nowhere);
        QTest::newRow("below the window") << QPoint(10, 200) << int(H::Nowhere);
        QTest::newRow("icon centre") << QPoint(17, 18) << int(H::SystemMenu);
        QTest::newRow("icon edge") << QPoint(17, 7) << int(H::SystemMenu);
        QTest::newRow("icon's corner is caption") << QPoint(6, 7) << int(H::Caption);
        QTest::newRow("caption middle") << QPoint(150, 18) << int(H::Caption);
        QTest::newRow("close centre") << QPoint(280, 19) << int(H::Close);
        QTest::newRow("close, 7 px left of centre") << QPoint(273, 19) << int(H::Close);
        QTest::newRow("close box corner, outside the circle") << QPoint(272, 11) << int(H::Caption);
        QTest::newRow("band bottom row is caption") << QPoint(150, 37) << int(H::Caption);
        QTest::newRow("first client row") << QPoint(150, 38) << int(H::Client);
        QTest::newRow("left rim") << QPoint(1, 100) << int(H::Border);
        QTest::newRow("first client column") << QPoint(2, 100) << int(H::Client);
        QTest::newRow("right rim") << QPoint(298, 100) << int(H::Border);
        QTest::newRow("bottom rim") << QPoint(150, 198) << int(H::Border);
    }
    void hitTest() {
        QFETCH(QPoint, point);
        QFETCH(int, hit);
        PlainDialog dialog;
        dialog.Initialize();
        QCOMPARE(int(dialog.HitTest(point)), hit);
    }

    // Colours fixed for the frame, the caption band and the close button.
    void renderedPixels_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("expected");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("transparent top-left corner") << true << QPoint(0, 0) << 0x00000000u << 0;
        QTest::newRow("transparent bottom-right corner")
            << true << QPoint(299, 199) << 0x00000000u << 0;
        QTest::newRow("outer outline, top") << true << QPoint(150, 0) << 0xFFCCCCCCu << 3;
        QTest::newRow("outer outline, bottom") << true << QPoint(150, 199) << 0xFFB0B0B0u << 3;
        QTest::newRow("caption gradient, top end, active")
            << true << QPoint(60, 2) << 0xFFE3E3E3u << 3;
        QTest::newRow("caption gradient, bottom end, active")
            << true << QPoint(60, 35) << 0xFFCCCCCCu << 3;
        QTest::newRow("caption line, active") << true << QPoint(60, 36) << 0xFFC8C8C8u << 1;
        QTest::newRow("caption gradient, top end, inactive")
            << false << QPoint(60, 2) << 0xFFEFEFEFu << 3;
        QTest::newRow("caption gradient, bottom end, inactive")
            << false << QPoint(60, 35) << 0xFFD8D8D8u << 3;
        QTest::newRow("caption line, inactive") << false << QPoint(60, 36) << 0xFFD4D4D4u << 1;
        QTest::newRow("body background") << true << QPoint(60, 100) << 0xFFF8F8F8u << 0;
        // Close button, 5 px below its centre: 0.78 of the way down its gradient.
        QTest::newRow("close fill, active") << true << QPoint(280, 24) << 0xFFF59197u << 8;
        QTest::newRow("close fill, inactive") << false << QPoint(280, 24) << 0xFFE1A5AAu << 8;
    }
    void renderedPixels() {
        QFETCH(bool, active);
        QFETCH(QPoint, point);
        QFETCH(uint, expected);
        QFETCH(int, tolerance);
        PlainDialog dialog;
        dialog.Initialize();
        dialog.SetActiveLook(active);
        const QImage image = Grab(dialog);
        QCOMPARE(image.size(), QSize(300, 200) * image.devicePixelRatio());
        const QRgb pixel = PixelAt(image, point.x(), point.y());
        QVERIFY2(Near(pixel, expected, tolerance), qPrintable(Hex(pixel)));
    }

    // Without compositing: an opaque window shaped by a mask, no shadow window.
    void fallsBackToAMaskWithoutCompositing() {
        TaSetCompositingOverride(0);
        PlainDialog dialog;
        dialog.Initialize();
        QVERIFY(!dialog.Composited());
        QVERIFY(dialog.Shadow() == nullptr);
        QVERIFY(!dialog.testAttribute(Qt::WA_TranslucentBackground));
        const QRegion mask = dialog.mask();
        QVERIFY(!mask.contains(QPoint(0, 0)));
        QVERIFY(!mask.contains(QPoint(299, 199)));
        QVERIFY(mask.contains(QPoint(150, 0)));
        QVERIFY(mask.contains(QPoint(0, 100)));
        QVERIFY(mask.contains(QPoint(150, 100)));
        QVERIFY(mask.contains(QPoint(11, 11)));
    }

    void compositedWindowHasNoMask() {
        PlainDialog dialog;
        dialog.Initialize();
        QVERIFY(dialog.Composited());
        QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(dialog.mask().isEmpty());
    }

    // Hover, press, leave the circle while captured, come back, release.
    void closeButtonBehaviour() {
        PlainDialog dialog;
        dialog.Initialize();
        dialog.show();
        const QPoint centre(280, 19);
        QTest::mouseMove(&dialog, centre);
        QVERIFY(dialog.CloseHovered());
        QVERIFY(!dialog.ClosePressed());
        QTest::mouseMove(&dialog, QPoint(150, 19));
        QVERIFY(!dialog.CloseHovered());

        QTest::mousePress(&dialog, Qt::LeftButton, {}, centre);
        QVERIFY(dialog.ClosePressed());
        QTest::mouseMove(&dialog, QPoint(150, 60));
        QVERIFY(!dialog.ClosePressed());
        QTest::mouseMove(&dialog, centre + QPoint(1, 1));
        QVERIFY(dialog.ClosePressed());
        QTest::mouseMove(&dialog, QPoint(150, 60));
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(150, 60));
        QVERIFY(dialog.isVisible());  // released outside: nothing happens
        QVERIFY(!dialog.ClosePressed());

        QTest::mousePress(&dialog, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, centre);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), IDCANCEL);
    }

    void hoveredAndPressedCloseLooks() {
        PlainDialog dialog;
        dialog.Initialize();
        dialog.show();
        const QRgb normal = PixelAt(Grab(dialog), 280, 24);
        QTest::mouseMove(&dialog, QPoint(280, 19));
        const QRgb hovered = PixelAt(Grab(dialog), 280, 24);
        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(280, 19));
        const QRgb pressed = PixelAt(Grab(dialog), 280, 24);
        QVERIFY2(qGray(hovered) > qGray(normal), qPrintable(Hex(normal) + " " + Hex(hovered)));
        QVERIFY2(qGray(pressed) < qGray(normal), qPrintable(Hex(normal) + " " + Hex(pressed)));
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(150, 100));
    }

    // A label whose text changes looks exactly as if it had shown the new
    // text from the start: nothing of the old text stays behind.
    void changedTextErasesTheOld_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("measure");  // sized to the new text as well
        QTest::newRow("shorter, same box") << "Printing page 10 of 12"
                                           << "Page 2" << false;
        QTest::newRow("emptied") << "Printing page 10"
                                 << "" << false;
        QTest::newRow("shorter, box shrinks") << "Printing page 10 of 12"
                                              << "Done" << true;
        QTest::newRow("longer, box grows") << "Page 9"
                                           << "Printing page 10 of 12" << true;
    }
    void changedTextErasesTheOld() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, measure);
        LabelDialog changed(before, before);
        QVERIFY(changed.Initialize());
        changed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&changed));
        changed.label->SetText(after);
        if (measure) changed.label->Measure();
        changed.repaint();
        LabelDialog fresh(measure ? after : before, after);
        QVERIFY(fresh.Initialize());
        QVERIFY(ClientPart(changed) == ClientPart(fresh));
    }

    // 0 from the layout step means the content has set the focus: the dialog
    // still shows and answers, and the focus stays where the content put it.
    void layoutAnsweringZeroKeepsItsFocus_data() {
        QTest::addColumn<int>("layoutResult");
        QTest::newRow("1: the default button takes the focus") << 1;
        QTest::newRow("0: focus already set") << 0;
    }
    void layoutAnsweringZeroKeepsItsFocus() {
        QFETCH(int, layoutResult);
        LabelDialog dialog(QStringLiteral("Question"), QStringLiteral("Question"), layoutResult);
        bool shown = false;
        QWidget* focused = nullptr;
        const int answer = RunModal(dialog, [&] {
            shown = dialog.isVisible();
            focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : &dialog, Qt::Key_Space);
        });
        QVERIFY(shown);
        QCOMPARE(focused, static_cast<QWidget*>(layoutResult == 0 ? dialog.cancel : dialog.ok));
        QCOMPARE(answer, layoutResult == 0 ? IDCANCEL : IDOK);
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << IDCANCEL;
        QTest::newRow("Enter presses the default button") << int(Qt::Key_Return) << IDOK;
        QTest::newRow("keypad Enter too") << int(Qt::Key_Enter) << IDOK;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(int, result);
        PlainDialog dialog;
        const int answer = RunModal(dialog, [&] {
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key(key));
        });
        QCOMPARE(answer, result);
    }

    // While the dialog runs, it is the modal window and its owner takes no input.
    void ownerIsBlockedWhileRunning() {
        QWidget owner;
        owner.resize(400, 300);
        owner.show();
        PlainDialog dialog(&owner);
        QWidget* modal = nullptr;
        bool ownerBlocked = false;
        const int answer = RunModal(dialog, [&] {
            modal = QApplication::activeModalWidget();
            ownerBlocked = QApplication::activeModalWidget() != nullptr &&
                           QApplication::activeModalWidget() != &owner;
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(answer, IDCANCEL);
        QCOMPARE(modal, &dialog);
        QVERIFY(ownerBlocked);
        QVERIFY(owner.isEnabled());
        QVERIFY(dialog.Shadow() == nullptr);  // destroyed with the run
    }

    // Opening and closing animate: the dialog grows from its centre, then
    // the shadow; closing takes 180 ms for each.
    void animations() {
        TaDialog::SetAnimationsEnabled(true);
        PlainDialog dialog;
        QElapsedTimer clock;
        qint64 openedAfter = 0;
        qint64 escAt = 0;
        bool shadowOpen = false;
        clock.start();
        QTimer probe;
        probe.setInterval(10);
        connect(&probe, &QTimer::timeout, [&] {
            if (escAt != 0 || dialog.Reveal() < 1.0) return;
            if (openedAfter == 0) openedAfter = clock.elapsed();
            if (dialog.Shadow() && dialog.Shadow()->Reveal() >= 1.0) {
                shadowOpen = true;
                escAt = clock.elapsed();
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        });
        probe.start();
        const int answer = dialog.DoModal();
        const qint64 closedAt = clock.elapsed();
        QCOMPARE(answer, IDCANCEL);
        QVERIFY(shadowOpen);
        QVERIFY2(openedAfter >= TaDialog::OpenMilliseconds - 20,
                 qPrintable(QString::number(openedAfter)));
        QVERIFY2(closedAt - escAt >= 2 * TaDialog::CloseMilliseconds - 30,
                 qPrintable(QString::number(closedAt - escAt)));
    }
};

TOOLKIT_SUITE(TaDialogTest);
#include "TaDialogTest.moc"
