// The keypad's appearance: colour groups, styles and their menu states, the
// font and its Default and System states, the mouse (capsule, slide-off,
// double click, hover) and the "GUI/Keypad" settings.
#include <QSignalSpy>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QtTest>

#include "document/CCalcFontDialog.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CColorButton.h"
#include "panels/KeypadPainter.h"
#include "shell/core/CommandIds.h"
#include "tests/panels/tst_keypad_support.h"
#include "toolkit/MessageBoxTypes.h"

using namespace Keypad;

namespace {

// Colour groups by button place.
QList<int> FunctionButtons() {
    QList<int> list;
    for (int i = 0; i <= 29; ++i) list << i;
    list << 32 << 33 << 34 << 35 << 38 << 42 << 46 << 50;
    return list;
}
QList<int> DigitButtons() { return {30, 31, 39, 40, 41, 43, 44, 45, 47, 48, 49, 51, 52}; }
QList<int> ServiceButtons() {
    QList<int> list{36, 37};
    for (int i = 53; i <= 63; ++i) list << i;
    return list;
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QImage Render(CColorButton* button) { return button->grab().toImage(); }

const QString kFontMessage = QStringLiteral("Cannot load the selected font.\nUsing default font.");

}  // namespace

class TestKeypadAppearance : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<QWidget> window_;
    CCalcKeyPad* keypad_ = nullptr;
    RecordingReceiver receiver_;
    QStringList messages_;

    void Open() {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        keypad_ = new CCalcKeyPad(
            window_.get(), [this](const QString& text, unsigned type, unsigned help) {
                messages_ << QStringLiteral("%1|%2|%3").arg(text).arg(type).arg(help);
                return IDOK;
            });
        layout->addWidget(keypad_);
        keypad_->SetReceiver(&receiver_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void Close() {
        window_.reset();
        keypad_ = nullptr;
    }
    void Reopen() {
        Close();
        Open();
    }
    static void Store(const QString& key, const QVariant& value) {
        const std::unique_ptr<QSettings> settings = OpenSettingsStore();
        settings->setValue(SettingsGroup + u'/' + key, value);
        settings->sync();
    }
    static QVariant Stored(const QString& key) {
        const std::unique_ptr<QSettings> settings = OpenSettingsStore();
        return settings->value(SettingsGroup + u'/' + key);
    }
    static QColor Ref(uint32_t colorRef) {
        return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF),
                      int((colorRef >> 16) & 0xFF));
    }

private slots:
    void initTestCase() {
        SilenceSizeHintWarnings();
        settingsDir_ = RedirectSettings();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    void init() {
        ClearKeypadSettings();
        receiver_.calls.clear();
        messages_.clear();
    }

    void cleanup() {
        Close();
        CCalcFontDialog::SetChooser({});
        if (!ThemesActive()) QApplication::setStyle(QStringLiteral("Fusion"));
    }

    // --- first run -----------------------------------------------------------

    void firstRunColours_data() {
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QColor>("face");
        QTest::addColumn<QColor>("text");
        QTest::newRow("function: pink, dark purple")
            << FunctionButtons() << QColor(255, 128, 192) << QColor(128, 0, 64);
        QTest::newRow("digit: light blue, dark blue")
            << DigitButtons() << QColor(144, 208, 255) << QColor(0, 64, 128);
        QTest::newRow("service: silver, dark grey")
            << ServiceButtons() << QColor(192, 192, 192) << QColor(64, 64, 64);
    }
    void firstRunColours() {
        QFETCH(QList<int>, buttons);
        QFETCH(QColor, face);
        QFETCH(QColor, text);
        Open();
        for (int i : buttons) {
            QCOMPARE(keypad_->Button(i)->FaceColor(), face);
            QCOMPARE(keypad_->Button(i)->TextColor(), text);
            QVERIFY(!keypad_->Button(i)->UsesSystemFace());
        }
    }

    void groupsCoverEveryButtonOnce() {
        QList<int> all = FunctionButtons() + DigitButtons() + ServiceButtons();
        std::sort(all.begin(), all.end());
        QCOMPARE(all.size(), 64);
        for (int i = 0; i < 64; ++i) QCOMPARE(all[i], i);
        QCOMPARE(FunctionButtons().size(), 38);
        QCOMPARE(DigitButtons().size(), 13);
    }

    void firstRunFontStyleAndChecks() {
        Open();
        const QFont font = keypad_->KeypadFont();
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pixelSize(), 15);  // 11 points at 96 dpi
        QCOMPARE(font.weight(), 800);
        QVERIFY(!font.italic());
        QVERIFY(keypad_->FontIsDefault());
        QVERIFY(!keypad_->FontIsSystem());
        QCOMPARE(keypad_->StoredStyle(), 1);
        for (int i = 0; i < ButtonCount; ++i) QCOMPARE(keypad_->Button(i)->Style(), 1);
        QVERIFY(keypad_->StateOf(CommandId::KeypadFontDefault).checked);
        QVERIFY(keypad_->StateOf(CommandId::KeypadTextDefault).checked);
        QVERIFY(keypad_->StateOf(CommandId::KeypadColorDefault).checked);
        QVERIFY(keypad_->StateOf(CommandId::KeypadStyleTarvik).checked);
        QVERIFY(!keypad_->StateOf(CommandId::KeypadFontSystem).checked);
        QVERIFY(!keypad_->StateOf(CommandId::KeypadColorSystem).checked);
    }

    void defaultFontHeightFollowsResolution_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("height");
        QTest::newRow("96") << 96 << -15;
        QTest::newRow("120") << 120 << -18;
        QTest::newRow("144") << 144 << -22;
        QTest::newRow("192") << 192 << -29;
    }
    void defaultFontHeightFollowsResolution() {
        QFETCH(int, dpi);
        QFETCH(int, height);
        const LogicalFont font = DefaultFont(dpi);
        QCOMPARE(font.height, height);
        QCOMPARE(font.weight, 800);
        QCOMPARE(font.face, QStringLiteral("Arial"));
        QVERIFY(!font.italic);
    }

    // --- styles --------------------------------------------------------------

    void styleMenuFollowsThemes_data() {
        QTest::addColumn<QString>("appStyle");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("effective");
        QTest::newRow("themes, 2000 shows as Vista") << "Fusion" << 0 << 3;
        QTest::newRow("themes, Tarvik") << "Fusion" << 1 << 1;
        QTest::newRow("themes, XP") << "Fusion" << 2 << 2;
        QTest::newRow("themes, Vista") << "Fusion" << 3 << 3;
        QTest::newRow("classic, 2000") << "Windows" << 0 << 0;
        QTest::newRow("classic, Tarvik") << "Windows" << 1 << 1;
        QTest::newRow("classic, XP shows as Tarvik") << "Windows" << 2 << 1;
        QTest::newRow("classic, Vista shows as Tarvik") << "Windows" << 3 << 1;
    }
    void styleMenuFollowsThemes() {
        QFETCH(QString, appStyle);
        QFETCH(int, stored);
        QFETCH(int, effective);
        QApplication::setStyle(appStyle);
        const bool themes = appStyle != QLatin1String("Windows");
        QCOMPARE(ThemesActive(), themes);
        Store(QStringLiteral("Style"), stored);
        Open();
        QCOMPARE(keypad_->StoredStyle(), stored);
        QCOMPARE(keypad_->EffectiveStyle(), effective);
        const int commands[] = {CommandId::KeypadStyle2000, CommandId::KeypadStyleTarvik,
                                CommandId::KeypadStyleXP, CommandId::KeypadStyleVista};
        for (int style = 0; style < 4; ++style) {
            const CCalcKeyPad::CommandState state = keypad_->StateOf(commands[style]);
            QCOMPARE(state.checked, style == effective);
            const bool enabled = style == 1 || (style == 0 ? !themes : themes);
            QCOMPARE(state.enabled, enabled);
        }
    }

    void styleCommandSetsEveryButton_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("style");
        QTest::newRow("2000") << CommandId::KeypadStyle2000 << 0;
        QTest::newRow("Tarvik") << CommandId::KeypadStyleTarvik << 1;
        QTest::newRow("XP") << CommandId::KeypadStyleXP << 2;
        QTest::newRow("Vista") << CommandId::KeypadStyleVista << 3;
    }
    void styleCommandSetsEveryButton() {
        QFETCH(int, command);
        QFETCH(int, style);
        Open();
        QVERIFY(keypad_->OnCommand(command));
        QCOMPARE(keypad_->StoredStyle(), style);
        for (int i = 0; i < ButtonCount; ++i) QCOMPARE(keypad_->Button(i)->Style(), style);
    }

    void drawingStandsInForMissingThemes_data() {
        QTest::addColumn<QString>("appStyle");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("drawnAs");
        QTest::newRow("classic: XP draws as Tarvik") << "Windows" << 2 << 1;
        QTest::newRow("classic: Vista draws as Tarvik") << "Windows" << 3 << 1;
        QTest::newRow("themes: 2000 draws as Vista") << "Fusion" << 0 << 3;
    }
    void drawingStandsInForMissingThemes() {
        QFETCH(QString, appStyle);
        QFETCH(int, style);
        QFETCH(int, drawnAs);
        QApplication::setStyle(appStyle);
        Open();
        CColorButton* button = keypad_->Button(12);
        keypad_->SetStyle(drawnAs);
        const QImage expected = Render(button);
        keypad_->SetStyle(style);
        QCOMPARE(Render(button), expected);
        // And the classic drawing really is another one.
        keypad_->SetStyle(drawnAs == 1 ? 0 : 1);
        QVERIFY(Render(button) != expected);
    }

    void tarvikClearsToTheSystemFace() {
        Open();
        CColorButton* button = keypad_->Button(0);
        const QImage normal = Render(button);
        const QColor systemFace = button->palette().color(QPalette::Button);
        QCOMPARE(normal.pixelColor(0, 0), systemFace);
        QCOMPARE(normal.pixelColor(normal.width() - 1, normal.height() - 1), systemFace);
        Mouse(button, QEvent::MouseButtonPress, button->rect().center());
        const QImage pressed = Render(button);
        QVERIFY(pressed != normal);
        QCOMPARE(pressed.pixelColor(0, 0), systemFace);
        Mouse(button, QEvent::MouseButtonRelease, button->rect().center());
    }

    // Faces kept from other buttons draw every button exactly as a fresh
    // drawing does, captions included, normal and pressed; the 64 buttons
    // share a few faces.
    void keptFacesDrawLikeFreshOnes() {
        Open();
        ClearFaceCache();
        QList<QImage> kept;
        for (int i = 0; i < ButtonCount; ++i) kept << Render(keypad_->Button(i));
        QVERIFY2(KeptFaceCount() <= ButtonCount / 4, qPrintable(QString::number(KeptFaceCount())));
        // "cos" pressed draws with the face "csc" left pressed.
        for (int i : {1, 2}) {
            CColorButton* button = keypad_->Button(i);
            Mouse(button, QEvent::MouseButtonPress, button->rect().center());
            kept << Render(button);
            Mouse(button, QEvent::MouseButtonRelease, button->rect().center());
        }
        for (int i = 0; i < ButtonCount; ++i) {
            ClearFaceCache();
            QCOMPARE(Render(keypad_->Button(i)), kept[i]);
        }
        CColorButton* cos = keypad_->Button(2);
        QCOMPARE(cos->size(), keypad_->Button(1)->size());
        Mouse(cos, QEvent::MouseButtonPress, cos->rect().center());
        ClearFaceCache();
        const QImage freshPressed = Render(cos);
        Mouse(cos, QEvent::MouseButtonRelease, cos->rect().center());
        QCOMPARE(freshPressed, kept.last());
        QVERIFY(freshPressed != kept[2]);
    }

    // --- mouse ---------------------------------------------------------------

    void capsuleDecidesInTarvikOnly_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("fires");
        QTest::newRow("Tarvik, top-left corner") << 1 << "corner" << false;
        QTest::newRow("Tarvik, bottom-right corner") << 1 << "far corner" << false;
        QTest::newRow("Tarvik, just outside the capsule's top") << 1 << "above" << false;
        QTest::newRow("Tarvik, centre") << 1 << "centre" << true;
        QTest::newRow("Tarvik, inside the round end") << 1 << "end" << true;
        QTest::newRow("2000, corner") << 0 << "corner" << true;
        QTest::newRow("XP, corner") << 2 << "corner" << true;
        QTest::newRow("Vista, corner") << 3 << "corner" << true;
        QTest::newRow("Vista, centre") << 3 << "centre" << true;
    }
    void capsuleDecidesInTarvikOnly() {
        QFETCH(int, style);
        QFETCH(QString, where);
        QFETCH(bool, fires);
        Open();
        keypad_->SetStyle(style);
        CColorButton* sin = keypad_->ButtonById(1028);
        const int w = sin->width(), h = sin->height();
        QPoint at = sin->rect().center();
        if (where == QLatin1String("corner")) at = QPoint(1, 1);
        if (where == QLatin1String("far corner")) at = QPoint(w - 2, h - 2);
        if (where == QLatin1String("above")) at = QPoint(w / 2, 2);
        if (where == QLatin1String("end")) at = QPoint(h / 2 - 2, h / 2);
        QCOMPARE(sin->Responds(at), fires);
        CColorButton* seven = keypad_->ButtonById(1013);
        seven->setFocus();
        Mouse(sin, QEvent::MouseButtonPress, at);
        QCOMPARE(sin->IsPressed(), fires);
        Mouse(sin, QEvent::MouseButtonRelease, at);
        QCOMPARE(receiver_.calls, fires ? QStringList{"insert:sin("} : QStringList{});
        // A press never takes the focus.
        QVERIFY(!sin->hasFocus());
        QCOMPARE(QApplication::focusWidget() == seven, window_->isActiveWindow());
    }

    void slidingOffAndBack_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("comeBack");
        QTest::newRow("Tarvik, released outside") << 1 << false;
        QTest::newRow("Tarvik, back inside") << 1 << true;
        QTest::newRow("XP, released outside") << 2 << false;
        QTest::newRow("XP, back inside") << 2 << true;
    }
    void slidingOffAndBack() {
        QFETCH(int, style);
        QFETCH(bool, comeBack);
        Open();
        keypad_->SetStyle(style);
        CColorButton* five = keypad_->ButtonById(1011);
        const QPoint inside = five->rect().center();
        const QPoint outside(five->width() + 6, five->height() / 2);
        Mouse(five, QEvent::MouseButtonPress, inside);
        QVERIFY(five->IsPressed());
        QVERIFY(five->IsCaptured());
        Mouse(five, QEvent::MouseMove, outside);
        QVERIFY(!five->IsPressed());
        QVERIFY(five->IsCaptured());
        QPoint release = outside;
        if (comeBack) {
            Mouse(five, QEvent::MouseMove, inside);
            QVERIFY(five->IsPressed());
            release = inside;
        }
        Mouse(five, QEvent::MouseButtonRelease, release);
        QVERIFY(!five->IsPressed());
        QVERIFY(!five->IsCaptured());
        QCOMPARE(receiver_.calls, comeBack ? QStringList{"insert:5"} : QStringList{});
    }

    void doubleClickSendsTwice_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("Tarvik") << 1;
        QTest::newRow("Vista") << 3;
    }
    void doubleClickSendsTwice() {
        QFETCH(int, style);
        Open();
        keypad_->SetStyle(style);
        CColorButton* e = keypad_->ButtonById(1049);
        const QPoint at = e->rect().center();
        Mouse(e, QEvent::MouseButtonPress, at);
        Mouse(e, QEvent::MouseButtonRelease, at);
        Mouse(e, QEvent::MouseButtonDblClick, at);
        Mouse(e, QEvent::MouseButtonRelease, at);
        QCOMPARE(receiver_.calls, (QStringList{"insert:e", "insert:e"}));
    }

    void hoverAndShape() {
        Open();
        CColorButton* button = keypad_->ButtonById(1070);
        QVERIFY(!button->IsHot());
        const QPoint centre = button->rect().center();
        QEnterEvent enter(centre, button->mapTo(window_.get(), centre),
                          button->mapToGlobal(centre));
        QApplication::sendEvent(button, &enter);
        QVERIFY(button->IsHot());
        QVERIFY(button->IsInShape());
        Mouse(button, QEvent::MouseMove, QPoint(1, 1));
        QVERIFY(!button->IsInShape());
        QVERIFY(button->IsHot());
        Mouse(button, QEvent::MouseMove, centre);
        QVERIFY(button->IsInShape());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QVERIFY(!button->IsHot());
        // A move after leaving makes it hot again.
        Mouse(button, QEvent::MouseMove, centre);
        QVERIFY(button->IsHot());
    }

    void captureLostSendsNothing() {
        Open();
        CColorButton* button = keypad_->ButtonById(1001);
        const QPoint centre = button->rect().center();
        Mouse(button, QEvent::MouseButtonPress, centre);
        QVERIFY(button->IsPressed());
        button->CaptureLost();
        QVERIFY(!button->IsPressed());
        QVERIFY(!button->IsCaptured());
        Mouse(button, QEvent::MouseButtonRelease, centre);
        QCOMPARE(receiver_.calls, QStringList{});
    }

    // --- colours -------------------------------------------------------------

    void systemFacesThenOneGroupColour() {
        Open();
        keypad_->SetColorChooser([](const QColor& initial) -> std::optional<QColor> {
            if (initial != QColor(255, 128, 192))
                return std::nullopt;  // starts from the group's colour
            return QColor(10, 20, 30);
        });
        QVERIFY(keypad_->OnCommand(CommandId::KeypadColorSystem));
        QVERIFY(keypad_->StateOf(CommandId::KeypadColorSystem).checked);
        QVERIFY(!keypad_->StateOf(CommandId::KeypadColorDefault).checked);
        const QColor systemFace = keypad_->Button(0)->palette().color(QPalette::Button);
        for (int i = 0; i < ButtonCount; ++i) QCOMPARE(keypad_->Button(i)->FaceColor(), systemFace);

        QVERIFY(keypad_->OnCommand(CommandId::KeypadColorFunction));
        for (int i : FunctionButtons())
            QCOMPARE(keypad_->Button(i)->FaceColor(), QColor(10, 20, 30));
        for (int i : DigitButtons() + ServiceButtons())
            QVERIFY(keypad_->Button(i)->UsesSystemFace());
        QVERIFY(!keypad_->StateOf(CommandId::KeypadColorSystem).checked);
        QVERIFY(!keypad_->StateOf(CommandId::KeypadColorDefault).checked);

        // Next start: every group shows its stored colour.
        Reopen();
        for (int i : FunctionButtons())
            QCOMPARE(keypad_->Button(i)->FaceColor(), QColor(10, 20, 30));
        for (int i : DigitButtons())
            QCOMPARE(keypad_->Button(i)->FaceColor(), QColor(144, 208, 255));
        for (int i : ServiceButtons())
            QCOMPARE(keypad_->Button(i)->FaceColor(), QColor(192, 192, 192));
    }

    void colourCommandsAndTheirChecks_data() {
        QTest::addColumn<QList<int>>("commands");
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<bool>("systemChecked");
        QTest::addColumn<bool>("defaultChecked");
        QTest::addColumn<QColor>("digitText");
        const QColor digit(0, 64, 128);
        QTest::newRow("system") << QList<int>{CommandId::KeypadTextSystem} << QColor() << true
                                << false << QColor();
        QTest::newRow("system, then default")
            << QList<int>{CommandId::KeypadTextSystem, CommandId::KeypadTextDefault} << QColor()
            << false << true << digit;
        QTest::newRow("digit colour") << QList<int>{CommandId::KeypadTextDigit} << QColor(1, 2, 3)
                                      << false << false << QColor(1, 2, 3);
        QTest::newRow("digit colour equal to the default")
            << QList<int>{CommandId::KeypadTextDigit} << digit << false << true << digit;
        QTest::newRow("cancelled")
            << QList<int>{CommandId::KeypadTextDigit} << QColor() << false << true << digit;
        QTest::newRow("system, then a cancelled choice")
            << QList<int>{CommandId::KeypadTextSystem, CommandId::KeypadTextDigit} << QColor()
            << true << false << QColor();
    }
    void colourCommandsAndTheirChecks() {
        QFETCH(QList<int>, commands);
        QFETCH(QColor, chosen);
        QFETCH(bool, systemChecked);
        QFETCH(bool, defaultChecked);
        QFETCH(QColor, digitText);
        Open();
        keypad_->SetColorChooser([chosen](const QColor&) -> std::optional<QColor> {
            if (!chosen.isValid()) return std::nullopt;
            return chosen;
        });
        for (int command : commands) QVERIFY(keypad_->OnCommand(command));
        QCOMPARE(keypad_->StateOf(CommandId::KeypadTextSystem).checked, systemChecked);
        QCOMPARE(keypad_->StateOf(CommandId::KeypadTextDefault).checked, defaultChecked);
        CColorButton* seven = keypad_->ButtonById(1013);
        if (digitText.isValid()) {
            QVERIFY(!seven->UsesSystemText());
            QCOMPARE(seven->TextColor(), digitText);
        } else {
            QVERIFY(seven->UsesSystemText());
        }
        // Other groups keep their own text colours unless System was chosen.
        QCOMPARE(keypad_->ButtonById(1028)->UsesSystemText(), systemChecked);
    }

    // --- font ----------------------------------------------------------------

    void fontCommands() {
        Open();
        QSignalSpy layouts(keypad_, &CCalcKeyPad::layoutChanged);
        const int defaultWidth = keypad_->width();

        QVERIFY(keypad_->OnCommand(CommandId::KeypadFontSystem));
        QVERIFY(keypad_->FontIsSystem());
        QVERIFY(!keypad_->FontIsDefault());
        QVERIFY(keypad_->StateOf(CommandId::KeypadFontSystem).checked);
        QCOMPARE(keypad_->KeypadFont().family(), keypad_->font().family());
        QCOMPARE(keypad_->Button(5)->font(), keypad_->KeypadFont());
        QCOMPARE(layouts.count(), 1);
        QCOMPARE(
            keypad_->Button(0)->width(),
            QFontMetrics(keypad_->KeypadFont()).horizontalAdvance(QStringLiteral("88arccosec8")));

        QVERIFY(keypad_->OnCommand(CommandId::KeypadFontDefault));
        QVERIFY(keypad_->FontIsDefault());
        QCOMPARE(keypad_->width(), defaultWidth);
        QCOMPARE(layouts.count(), 2);

        CCalcFontDialog::SetChooser([](const QFont& initial) -> std::optional<QFont> {
            if (initial.family() != QFontInfo(QFont(QStringLiteral("Arial"))).family())
                return std::nullopt;  // shown resolved
            QFont font(QStringLiteral("DejaVu Serif"));
            font.setPixelSize(20);
            font.setItalic(true);
            font.setWeight(QFont::Bold);
            return font;
        });
        QVERIFY(keypad_->OnCommand(CommandId::KeypadFontSelect));
        QVERIFY(!keypad_->FontIsDefault());
        QVERIFY(!keypad_->FontIsSystem());
        QCOMPARE(keypad_->KeypadFont().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(keypad_->KeypadFont().pixelSize(), 20);
        QCOMPARE(layouts.count(), 3);

        // A cancelled dialog changes nothing.
        CCalcFontDialog::SetChooser(
            [](const QFont&) -> std::optional<QFont> { return std::nullopt; });
        QVERIFY(keypad_->OnCommand(CommandId::KeypadFontSelect));
        QCOMPARE(layouts.count(), 3);
        QCOMPARE(keypad_->KeypadFont().family(), QStringLiteral("DejaVu Serif"));
    }

    void storedFontThatCannotBeMade_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("empty face") << "FontFace" << QVariant(QString());
        QTest::newRow("face of 32 characters") << "FontFace" << QVariant(QString(32, u'x'));
        QTest::newRow("weight above 1000") << "FontWeight" << QVariant(5000);
        QTest::newRow("negative weight") << "FontWeight" << QVariant(-1);
    }
    void storedFontThatCannotBeMade() {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        Store(QStringLiteral("FontFace"), QStringLiteral("DejaVu Serif"));
        Store(QStringLiteral("FontSize"), -20);
        Store(key, value);
        Open();
        QCOMPARE(messages_, QStringList{kFontMessage + QStringLiteral("|%1|0").arg(MB_OK)});
        QVERIFY(keypad_->FontIsDefault());
        QCOMPARE(keypad_->KeypadFont().family(), QStringLiteral("Arial"));
        QCOMPARE(keypad_->KeypadFont().pixelSize(), 15);
    }

    void storedFontStates_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("isSystem");
        QTest::newRow("the default") << "Arial" << -15 << 800 << true << false;
        QTest::newRow("face case matters") << "arial" << -15 << 800 << false << false;
        QTest::newRow("another height") << "Arial" << -16 << 800 << false << false;
        QTest::newRow("another face") << "DejaVu Serif" << -15 << 800 << false << false;
        QTest::newRow("the dialog font") << "" << 0 << 0 << false << true;
    }
    void storedFontStates() {
        QFETCH(QString, face);
        QFETCH(int, height);
        QFETCH(int, weight);
        QFETCH(bool, isDefault);
        QFETCH(bool, isSystem);
        if (face.isEmpty()) {
            // What the keypad's own font is stored as.
            const LogicalFont dialog = LogicalFontOf(QApplication::font(), 96);
            face = dialog.face, height = dialog.height, weight = dialog.weight;
        }
        Store(QStringLiteral("FontFace"), face);
        Store(QStringLiteral("FontSize"), height);
        Store(QStringLiteral("FontWeight"), weight);
        Open();
        QCOMPARE(messages_, QStringList{});
        QCOMPARE(keypad_->FontIsDefault(), isDefault);
        QCOMPARE(keypad_->FontIsSystem(), isSystem);
        QCOMPARE(keypad_->KeypadFont().pixelSize(), -height);
    }

    // --- settings ------------------------------------------------------------

    void settingsRoundTrip() {
        Open();
        keypad_->SetColorChooser(
            [](const QColor&) -> std::optional<QColor> { return QColor(0x11, 0x22, 0x33); });
        CCalcFontDialog::SetChooser([](const QFont&) -> std::optional<QFont> {
            QFont font(QStringLiteral("DejaVu Serif"));
            font.setPixelSize(20);
            font.setItalic(true);
            font.setWeight(QFont::Bold);
            return font;
        });
        QVERIFY(keypad_->OnCommand(CommandId::KeypadStyleVista));
        QVERIFY(keypad_->OnCommand(CommandId::KeypadTextSystem));
        QVERIFY(keypad_->OnCommand(CommandId::KeypadColorDigit));
        QVERIFY(keypad_->OnCommand(CommandId::KeypadFontSelect));
        // Nothing is written while the keypad lives.
        QCOMPARE(OpenSettingsStore()->value(SettingsGroup + QStringLiteral("/Style")), QVariant());
        Close();

        const struct {
            const char* key;
            int value;
        } expected[] = {
            {"FontSize", -20},
            {"FontWeight", 700},
            {"FontItalic", 1},
            {"ColorTextFunction", 0x00400080},
            {"ColorFunction", 0x00C080FF},
            {"ColorTextDigit", 0x00804000},
            {"ColorDigit", 0x00332211},
            {"ColorTextService", 0x00404040},
            {"ColorService", 0x00C0C0C0},
            {"ColorTextSystem", 1},
            {"ColorSystem", 0},
            {"Style", 3},
        };
        for (const auto& e : expected) {
            const QVariant value = Stored(QLatin1String(e.key));
            QVERIFY2(value.isValid(), e.key);
            QCOMPARE(value.toInt(), e.value);
        }
        QCOMPARE(Stored(QStringLiteral("FontFace")).toString(), QStringLiteral("DejaVu Serif"));

        Open();
        QCOMPARE(keypad_->StoredStyle(), 3);
        QCOMPARE(keypad_->Button(63)->Style(), 3);
        QCOMPARE(keypad_->KeypadFont().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(keypad_->KeypadFont().pixelSize(), 20);
        QCOMPARE(keypad_->KeypadFont().weight(), 700);
        QVERIFY(keypad_->KeypadFont().italic());
        for (int i = 0; i < ButtonCount; ++i) QVERIFY(keypad_->Button(i)->UsesSystemText());
        for (int i : DigitButtons())
            QCOMPARE(keypad_->Button(i)->FaceColor(), QColor(0x11, 0x22, 0x33));
        QCOMPARE(keypad_->ButtonById(1028)->FaceColor(), QColor(255, 128, 192));
        QVERIFY(keypad_->StateOf(CommandId::KeypadTextSystem).checked);
    }

    void settingsAreReadOnce() {
        Open();
        Store(QStringLiteral("Style"), 2);
        Store(QStringLiteral("ColorFunction"), 0x00FF0000);
        QCOMPARE(keypad_->StoredStyle(), 1);
        QCOMPARE(keypad_->ButtonById(1028)->FaceColor(), QColor(255, 128, 192));
        // The keypad's own view wins at destruction.
        Close();
        QCOMPARE(Stored(QStringLiteral("Style")).toInt(), 1);
        QCOMPARE(Stored(QStringLiteral("ColorFunction")).toInt(), 0x00C080FF);
    }

    // Stored heights beyond the chooser's 6 to 72 points come back at the
    // nearer end (8 and 96 pixels at 96 dpi), large ones no larger than the
    // screen lets the keypad be (0 below: the largest that fits), and are
    // written back so.
    void storedFontHeightWithinTheSizes_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("pixels");
        QTest::newRow("-2048") << QVariant(-2048) << 0;
        QTest::newRow("INT_MIN as text") << QVariant("-2147483648") << 0;
        QTest::newRow("-96") << QVariant(-96) << 0;
        QTest::newRow("-2") << QVariant(-2) << 8;
        QTest::newRow("DWORD -1") << QVariant("4294967295") << 8;
        QTest::newRow("-8 stays") << QVariant(-8) << 8;
        QTest::newRow("-24 fits and stays") << QVariant(-24) << 24;
    }
    void storedFontHeightWithinTheSizes() {
        QFETCH(QVariant, stored);
        QFETCH(int, pixels);
        Store(QStringLiteral("FontSize"), stored);
        Open();
        QCOMPARE(messages_, QStringList{});
        const int got = keypad_->KeypadFont().pixelSize();
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QVERIFY(keypad_->width() <= screen.width());
        if (pixels) QCOMPARE(got, pixels);
        Close();
        QCOMPARE(Stored(QStringLiteral("FontSize")).toInt(), -got);
    }
    // The largest height whose keypad fits, never below the default.
    void fitFontHeight_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<int>("expected");  // 0: the largest that fits
        QTest::newRow("fits: kept") << -20 << QSize(1920, 1080) << -20;
        QTest::newRow("too wide: the largest that fits") << -96 << QSize(1920, 1080) << 0;
        QTest::newRow("too tall: the largest that fits") << -96 << QSize(9000, 500) << 0;
        QTest::newRow("cell height too wide") << 96 << QSize(1920, 1080) << 0;
        QTest::newRow("screen narrower than the default keypad") << -96 << QSize(800, 600) << -15;
        QTest::newRow("the default size stays") << -8 << QSize(100, 100) << -8;
        QTest::newRow("no screens") << -96 << QSize() << -96;
    }
    void fitFontHeight() {
        QFETCH(int, height);
        QFETCH(QSize, available);
        QFETCH(int, expected);
        const Gaps gaps = GapsForDialogFont(QApplication::font());
        LogicalFont font = DefaultFont(96);
        const auto keypadSize = [&](int h) {
            font.height = h;
            return LayOut(MeasureFont(*CreateKeypadFont(font, 96), East), gaps).size;
        };
        font.height = height;
        const int fitted = FitFontHeight(font, 96, East, gaps, available);
        if (expected) {
            QCOMPARE(fitted, expected);
            return;
        }
        const int step = height < 0 ? -1 : 1;
        QVERIFY(fitted * step > 15);  // above the default size
        QVERIFY(available.expandedTo(keypadSize(fitted)) == available);
        QVERIFY(available.expandedTo(keypadSize(fitted + step)) != available);
    }
    void faceOfAnotherTypeIsTheDefaultFace_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("an integer") << QVariant(5);
        QTest::newRow("a byte array") << QVariant(QByteArray("Courier"));
    }
    void faceOfAnotherTypeIsTheDefaultFace() {
        QFETCH(QVariant, stored);
        Store(QStringLiteral("FontFace"), stored);
        Open();
        QCOMPARE(keypad_->KeypadFont().family(), QStringLiteral("Arial"));
        QVERIFY(keypad_->FontIsDefault());
    }

    void unreadableValuesTakeDefaults_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("functionFace");
        QTest::addColumn<int>("fontPixels");
        const QColor pink(255, 128, 192);
        QTest::newRow("style 7") << "Style" << QVariant(7) << 1 << pink << 15;
        QTest::newRow("style -1") << "Style" << QVariant(-1) << 1 << pink << 15;
        QTest::newRow("style text") << "Style" << QVariant("abc") << 1 << pink << 15;
        QTest::newRow("style 0") << "Style" << QVariant(0) << 0 << pink << 15;
        QTest::newRow("style 2 as text") << "Style" << QVariant("2") << 2 << pink << 15;
        QTest::newRow("colour text") << "ColorFunction" << QVariant("pink") << 1 << pink << 15;
        QTest::newRow("colour beyond 32 bits")
            << "ColorFunction" << QVariant("4294967296") << 1 << pink << 15;
        QTest::newRow("colour as text number")
            << "ColorFunction" << QVariant("255") << 1 << QColor(255, 0, 0) << 15;
        QTest::newRow("size text") << "FontSize" << QVariant("big") << 1 << pink << 15;
        QTest::newRow("size as unsigned 32 bits")
            << "FontSize" << QVariant("4294967276") << 1 << pink << 20;
    }
    void unreadableValuesTakeDefaults() {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(int, style);
        QFETCH(QColor, functionFace);
        QFETCH(int, fontPixels);
        Store(key, value);
        Open();
        QCOMPARE(keypad_->StoredStyle(), style);
        QCOMPARE(keypad_->ButtonById(1028)->FaceColor(), functionFace);
        QCOMPARE(keypad_->KeypadFont().pixelSize(), fontPixels);
        QCOMPARE(messages_, QStringList{});
    }
};

QTEST_MAIN(TestKeypadAppearance)
#include "tst_keypad_appearance.moc"
