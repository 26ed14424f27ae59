// The keypad's command model: captions in both notations, what each button
// sends, the notation switch, the layout's width rule, the panel-wide keys
// and keyboard use.
#include <QAccessible>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "engine/Preferences.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CColorButton.h"
#include "panels/KeypadTable.h"
#include "tests/panels/tst_keypad_support.h"

using namespace Keypad;

namespace {

struct Expected {
    int index;
    const char16_t* westCaption;
    const char16_t* westSends;
    const char16_t* eastCaption;
    const char16_t* eastSends;
};

// Every button: caption and what a click sends, West and East, with
// AppendPower on.
const Expected kExpected[] = {
    {0, u"sin", u"insert:sin(", u"sin", u"insert:sin("},
    {1, u"csc", u"insert:csc(", u"cosec", u"insert:cosec("},
    {2, u"cos", u"insert:cos(", u"cos", u"insert:cos("},
    {3, u"sec", u"insert:sec(", u"sec", u"insert:sec("},
    {4, u"tan", u"insert:tan(", u"tg", u"insert:tg("},
    {5, u"cot", u"insert:cot(", u"ctg", u"insert:ctg("},
    {6, u"sinh", u"insert:sinh(", u"sh", u"insert:sh("},
    {7, u"csch", u"insert:csch(", u"csch", u"insert:csch("},
    {8, u"cosh", u"insert:cosh(", u"ch", u"insert:ch("},
    {9, u"sech", u"insert:sech(", u"sech", u"insert:sech("},
    {10, u"tanh", u"insert:tanh(", u"th", u"insert:th("},
    {11, u"coth", u"insert:coth(", u"cth", u"insert:cth("},
    {12, u"exp", u"insert:exp(", u"exp", u"insert:exp("},
    {13, u"ln", u"insert:ln(", u"ln", u"insert:ln("},
    {14, u"log", u"insert:log(", u"lg", u"insert:lg("},
    {15, u"^", u"insert:^(", u"^", u"insert:^("},
    {16, u"abs", u"insert:abs(", u"abs", u"insert:abs("},
    {17, u"n!", u"insert:fact(", u"n!", u"insert:fact("},
    {18, u"arcsin", u"insert:arcsin(", u"arcsin", u"insert:arcsin("},
    {19, u"arccsc", u"insert:arccsc(", u"arccosec", u"insert:arccosec("},
    {20, u"arccos", u"insert:arccos(", u"arccos", u"insert:arccos("},
    {21, u"arcsec", u"insert:arcsec(", u"arcsec", u"insert:arcsec("},
    {22, u"arctan", u"insert:arctan(", u"arctg", u"insert:arctg("},
    {23, u"arccot", u"insert:arccot(", u"arcctg", u"insert:arcctg("},
    {24, u"arsinh", u"insert:arsinh(", u"arsh", u"insert:arsh("},
    {25, u"arcsch", u"insert:arcsch(", u"arcsch", u"insert:arcsch("},
    {26, u"arcosh", u"insert:arcosh(", u"arch", u"insert:arch("},
    {27, u"arsech", u"insert:arsech(", u"arsch", u"insert:arsch("},
    {28, u"artanh", u"insert:artanh(", u"arth", u"insert:arth("},
    {29, u"arcoth", u"insert:arcoth(", u"arcth", u"insert:arcth("},
    {30, u"\u03C0", u"insert:\u03C0", u"\u03C0", u"insert:\u03C0"},
    {31, u"e", u"insert:e", u"e", u"insert:e"},
    {32, u"(", u"insert:(", u"(", u"insert:("},
    {33, u")", u"insert:)", u")", u"insert:)"},
    {34, u"[", u"insert:[", u"[", u"insert:["},
    {35, u"]", u"insert:]", u"]", u"insert:]"},
    {36, u"/*", u"insert:/*", u"/*", u"insert:/*"},
    {37, u"*/", u"insert:*/", u"*/", u"insert:*/"},
    {38, u"+", u"insert:+", u"+", u"insert:+"},
    {39, u"1", u"insert:1", u"1", u"insert:1"},
    {40, u"2", u"insert:2", u"2", u"insert:2"},
    {41, u"3", u"insert:3", u"3", u"insert:3"},
    {42, u"\u2212", u"insert:-", u"\u2212", u"insert:-"},
    {43, u"4", u"insert:4", u"4", u"insert:4"},
    {44, u"5", u"insert:5", u"5", u"insert:5"},
    {45, u"6", u"insert:6", u"6", u"insert:6"},
    {46, u"\u00D7", u"insert:*", u"\u00D7", u"insert:*"},
    {47, u"7", u"insert:7", u"7", u"insert:7"},
    {48, u"8", u"insert:8", u"8", u"insert:8"},
    {49, u"9", u"insert:9", u"9", u"insert:9"},
    {50, u"/", u"insert:/", u"/", u"insert:/"},
    {51, u"0", u"insert:0", u"0", u"insert:0"},
    {52, u".", u"insert:.", u".", u"insert:."},
    {53, u";", u"insert:;", u";", u"insert:;"},
    {54, u"=", u"command:2", u"=", u"command:2"},
    {55, u"= all", u"command:3", u"= all", u"command:3"},
    {56, u"\u2192", u"insert:->mem[", u"\u2192", u"insert:->mem["},
    {57, u"mem", u"insert:mem[", u"mem", u"insert:mem["},
    {58, u"free", u"command:4", u"free", u"command:4"},
    {59, u"rslt", u"insert:rslt", u"rslt", u"insert:rslt"},
    {60, u"enter", u"insert:\r\n", u"enter", u"insert:\r\n"},
    {61, u"; enter", u"insert:;\r\n", u"; enter", u"insert:;\r\n"},
    {62, u"clear", u"command:0", u"clear", u"command:0"},
    {63, u"\u2190", u"command:1", u"\u2190", u"command:1"},
};

QString S(const char16_t* text) { return QString::fromUtf16(text); }

void ClickCentre(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

}  // namespace

class TestKeypad : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<QWidget> window_;
    CCalcKeyPad* keypad_ = nullptr;
    RecordingReceiver receiver_;

private slots:
    void initTestCase() {
        SilenceSizeHintWarnings();
        settingsDir_ = RedirectSettings();
    }

    void init() {
        ClearKeypadSettings();
        Preferences = PreferencesValues{};
        receiver_.calls.clear();
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        keypad_ = new CCalcKeyPad(window_.get());
        layout->addWidget(keypad_);
        layout->addWidget(new QLineEdit(window_.get()));
        keypad_->SetReceiver(&receiver_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        keypad_ = nullptr;
    }

    void startsEastWithTemplateCaptions() {
        QCOMPARE(keypad_->NotationIndex(), int(East));
        for (const Expected& e : kExpected)
            QCOMPARE(keypad_->Button(e.index)->text(), S(e.eastCaption));
    }

    void westCaptionsRowByRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("row 1") << 0 << QStringList{"sin", "csc", "cos", "sec", "tan", "cot"};
        QTest::newRow("row 2") << 1 << QStringList{"sinh", "csch", "cosh", "sech", "tanh", "coth"};
        QTest::newRow("row 3") << 2 << QStringList{"exp", "ln", "log", "^", "abs", "n!"};
        QTest::newRow("row 4") << 3 << QStringList{"arcsin", "arccsc", "arccos",
                                                   "arcsec", "arctan", "arccot"};
        QTest::newRow("row 5") << 4 << QStringList{"arsinh", "arcsch", "arcosh",
                                                   "arsech", "artanh", "arcoth"};
    }
    void westCaptionsRowByRow() {
        QFETCH(int, row);
        QFETCH(QStringList, captions);
        keypad_->ApplyNotation(West);
        // The six buttons of a dialog row, left to right on screen.
        QList<CColorButton*> line;
        for (int i = 0; i < Keypad::ButtonCount; ++i) {
            CColorButton* b = keypad_->Button(i);
            if (b->y() == keypad_->Button(row * 6)->y() &&
                b->width() == keypad_->Button(0)->width() && b->x() < keypad_->Button(30)->x())
                line << b;
        }
        std::sort(line.begin(), line.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
        QStringList shown;
        for (CColorButton* b : line) shown << b->text();
        QCOMPARE(shown, captions);
    }

    void clickSends_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("notation");
        QTest::addColumn<QString>("sends");
        for (const Expected& e : kExpected) {
            QTest::addRow("%d %s west", e.index, qPrintable(S(e.westCaption)))
                << e.index << int(West) << S(e.westSends);
            if (QString::fromUtf16(e.westSends) != QString::fromUtf16(e.eastSends))
                QTest::addRow("%d %s east", e.index, qPrintable(S(e.eastCaption)))
                    << e.index << int(East) << S(e.eastSends);
        }
    }
    void clickSends() {
        QFETCH(int, index);
        QFETCH(int, notation);
        QFETCH(QString, sends);
        keypad_->ApplyNotation(notation);
        ClickCentre(keypad_->Button(index));
        QCOMPARE(receiver_.calls, QStringList{sends});
    }

    void powerFollowsAppendPowerAtEachPress_data() {
        QTest::addColumn<QList<int>>("appendPower");
        QTest::addColumn<QStringList>("sends");
        QTest::newRow("off") << QList<int>{0} << QStringList{"insert:^"};
        QTest::newRow("on") << QList<int>{1} << QStringList{"insert:^("};
        QTest::newRow("any nonzero") << QList<int>{7} << QStringList{"insert:^("};
        QTest::newRow("on, then off") << QList<int>{1, 0} << QStringList{"insert:^(", "insert:^"};
        QTest::newRow("off, then on") << QList<int>{0, 1} << QStringList{"insert:^", "insert:^("};
    }
    void powerFollowsAppendPowerAtEachPress() {
        QFETCH(QList<int>, appendPower);
        QFETCH(QStringList, sends);
        for (int value : appendPower) {
            Preferences.AppendPower = static_cast<uint32_t>(value);
            ClickCentre(keypad_->ButtonById(1039));
        }
        QCOMPARE(receiver_.calls, sends);
    }

    void withoutReceiverNothingIsSent() {
        keypad_->SetReceiver(nullptr);
        ClickCentre(keypad_->ButtonById(1001));
        keypad_->SetReceiver(&receiver_);
        ClickCentre(keypad_->ButtonById(1001));
        QCOMPARE(receiver_.calls, QStringList{"command:2"});
    }

    void choosingTheActiveNotationTwiceRelabelsOnce_data() {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("layouts");
        QTest::addColumn<QString>("tgCaption");
        QTest::newRow("east, already active") << QList<int>{East} << 0 << "tg";
        QTest::newRow("west twice") << QList<int>{West, West} << 1 << "tan";
        QTest::newRow("west, east, east") << QList<int>{West, East, East} << 2 << "tg";
        QTest::newRow("other values mean west") << QList<int>{2, West} << 1 << "tan";
    }
    void choosingTheActiveNotationTwiceRelabelsOnce() {
        QFETCH(QList<int>, choices);
        QFETCH(int, layouts);
        QFETCH(QString, tgCaption);
        QSignalSpy spy(keypad_, &CCalcKeyPad::layoutChanged);
        for (int notation : choices) keypad_->ApplyNotation(notation);
        QCOMPARE(spy.count(), layouts);
        QCOMPARE(keypad_->ButtonById(1029)->text(), tgCaption);
    }

    void widthRule_data() {
        QTest::addColumn<int>("notation");
        QTest::addColumn<QString>("measure");
        QTest::newRow("west") << int(West) << "88;arcosh8";
        QTest::newRow("east") << int(East) << "88arccosec8";
    }
    void widthRule() {
        QFETCH(int, notation);
        QFETCH(QString, measure);
        keypad_->ApplyNotation(notation);
        const QFontMetrics metrics(keypad_->KeypadFont());
        const int W = metrics.horizontalAdvance(measure);
        const int h = 8 * metrics.height() / 5;
        const int sw = std::max(metrics.horizontalAdvance(QStringLiteral("*/")), h);
        const Gaps g = keypad_->TemplateGaps();
        QCOMPARE(keypad_->width(), 2 * g.m + 8 * W + 6 * sw + 9 * g.gx + 4 * g.gg);
        QCOMPARE(keypad_->height(), 2 * g.m + 5 * h + 4 * g.gy);
        for (int i : {0, 29, 56, 63}) QCOMPARE(keypad_->Button(i)->size(), QSize(W, h));
        for (int i : {30, 37, 38, 53}) QCOMPARE(keypad_->Button(i)->size(), QSize(sw, h));
        QCOMPARE(keypad_->Button(54)->size(), QSize(2 * sw + g.gx, h));
    }

    void westShrinksTheKeypad() {
        QSignalSpy spy(keypad_, &CCalcKeyPad::layoutChanged);
        const int eastWidth = keypad_->width();
        const int eastButton = keypad_->Button(0)->width();
        keypad_->ApplyNotation(West);
        QVERIFY(keypad_->Button(0)->width() < eastButton);
        QCOMPARE(eastWidth - keypad_->width(), 8 * (eastButton - keypad_->Button(0)->width()));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toSize(), keypad_->size());
    }

    // Given less room than its natural size, the keypad draws itself smaller
    // and whole; given room again, it is whole at its natural size.
    void scalesToTheRoomItHas_data() {
        QTest::addColumn<int>("notation");
        QTest::addColumn<double>("across");  // share of the natural width offered
        QTest::addColumn<double>("down");    // share of the natural height offered
        QTest::addColumn<double>("scale");
        QTest::newRow("East, four fifths wide") << int(East) << 0.8 << 1.0 << 0.8;
        QTest::newRow("West, lower only") << int(West) << 1.0 << 0.7 << 0.7;
        QTest::newRow("West, too narrow: the smallest") << int(West) << 0.3 << 1.0 << 0.6;
        QTest::newRow("East, more room: natural") << int(East) << 1.3 << 1.2 << 1.0;
    }
    void scalesToTheRoomItHas() {
        QFETCH(int, notation);
        QFETCH(double, across);
        QFETCH(double, down);
        QFETCH(double, scale);
        // A host of its own that leaves the keypad's size to the test.
        QWidget host;
        host.resize(1600, 600);
        CCalcKeyPad& keypad = *new CCalcKeyPad(&host);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        keypad.ApplyNotation(notation);
        const QSize natural = keypad.sizeHint();
        const QFont font = keypad.KeypadFont();
        const QRect sinNatural = keypad.Button(0)->geometry();
        keypad.resize(qRound(natural.width() * across), qRound(natural.height() * down));
        QVERIFY(std::abs(keypad.Scale() - scale) < 0.01);
        QCOMPARE(keypad.SmallestScale(), kSmallestScale);
        QCOMPARE(keypad.minimumSizeHint(), (LayOut(Scaled(keypad.LayoutMetrics(), kSmallestScale),
                                                   Scaled(keypad.TemplateGaps(), kSmallestScale))
                                                .size));
        // Whole: every button inside the keypad, none over another.
        QRect all;
        for (int i = 0; i < ButtonCount; ++i) {
            const QRect r = keypad.Button(i)->geometry();
            QVERIFY2(keypad.rect().contains(r), qPrintable(QString::number(i)));
            for (int j = 0; j < i; ++j) QVERIFY(!r.intersects(keypad.Button(j)->geometry()));
            all |= r;
        }
        // The function buttons and their captions shrink together; the
        // setting keeps its natural font.
        const QRect sin = keypad.Button(0)->geometry();
        QCOMPARE(sin.width(),
                 scale < 1 ? int(sinNatural.width() * keypad.Scale()) : sinNatural.width());
        const QFontMetrics caption(keypad.Button(0)->font());
        QVERIFY(caption.horizontalAdvance(MeasuringText(notation)) <= sin.width());
        QCOMPARE(keypad.Button(0)->font().pixelSize() < font.pixelSize(), scale < 1);
        QCOMPARE(keypad.KeypadFont(), font);
        QCOMPARE(keypad.sizeHint(), natural);
        // Along a dock, its height follows its width.
        QVERIFY(keypad.hasHeightForWidth());
        QCOMPARE(keypad.heightForWidth(natural.width()), natural.height());
        QVERIFY(keypad.heightForWidth(qRound(natural.width() * 0.8)) <=
                qRound(natural.height() * 0.8));
        // Room again: the natural layout.
        keypad.resize(natural);
        QCOMPARE(keypad.Scale(), 1.0);
        QCOMPARE(keypad.Button(0)->geometry(), sinNatural);
        QCOMPARE(keypad.Button(0)->font(), font);
    }

    // The smallest keypad is 60 % of its size at 100 % in physical pixels.
    void smallestScaleFollowsTheScreen_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("smallest");
        QTest::newRow("100 %") << 1.0 << 0.6;
        QTest::newRow("150 %") << 1.5 << 0.4;
        QTest::newRow("200 %") << 2.0 << 0.3;
        QTest::newRow("300 %: no smaller than 30 %") << 3.0 << 0.3;
    }
    void smallestScaleFollowsTheScreen() {
        QFETCH(double, ratio);
        QFETCH(double, smallest);
        QCOMPARE(Keypad::SmallestScale(ratio), smallest);
        QCOMPARE(FitScale(QSize(1000, 200), QSize(100, 200), Keypad::SmallestScale(ratio)),
                 smallest);
    }

    // Columns and rows of each group, from the template's gaps.
    void placesOfTheGroups_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("column");  // in units of the group's own column
        QTest::addColumn<int>("row");
        QTest::newRow("sin") << 0 << 0 << 0;
        QTest::newRow("arcoth") << 29 << 5 << 4;
        QTest::newRow("pi") << 30 << 0 << 0;
        QTest::newRow("]") << 35 << 1 << 2;
        QTest::newRow("*/") << 37 << 1 << 4;
        QTest::newRow("+") << 38 << 0 << 0;
        QTest::newRow(";") << 53 << 3 << 3;
        QTest::newRow("= all") << 55 << 1 << 4;
        QTest::newRow("arrow") << 56 << 0 << 0;
        QTest::newRow("rslt") << 59 << 1 << 1;
        QTest::newRow("enter") << 60 << 0 << 3;
        QTest::newRow("back") << 63 << 1 << 4;
    }
    void placesOfTheGroups() {
        QFETCH(int, index);
        QFETCH(int, column);
        QFETCH(int, row);
        const Gaps g = keypad_->TemplateGaps();
        const QRect sin = keypad_->Button(0)->geometry();
        const int W = sin.width(), h = sin.height();
        const int sw = keypad_->Button(30)->width();
        int x = 0;
        if (index < 30)
            x = g.m + column * (W + g.gx);
        else if (index < 38)
            x = g.m + 6 * W + 5 * g.gx + g.gg + column * (sw + g.gx);
        else if (index < 54)
            x = g.m + 6 * W + 6 * g.gx + 2 * g.gg + 2 * sw + column * (sw + g.gx);
        else if (index < 56)
            x = g.m + 6 * W + 6 * g.gx + 2 * g.gg + 2 * sw + column * 2 * (sw + g.gx);
        else
            x = g.m + 6 * W + 9 * g.gx + 3 * g.gg + 6 * sw + column * (W + g.gg);
        const QRect r = keypad_->Button(index)->geometry();
        QCOMPARE(r.x(), x);
        QCOMPARE(r.y(), g.m + row * (h + g.gy));
    }

    void serviceButtonsSendTheirCommands_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("code");
        QTest::newRow("= CalculateCell") << 1001 << 2;
        QTest::newRow("= all CalculateAll") << 1062 << 3;
        QTest::newRow("free FreeMemory") << 1068 << 4;
        QTest::newRow("clear ClearAll") << 1051 << 0;
        QTest::newRow("back DeleteBack") << 1050 << 1;
    }
    void serviceButtonsSendTheirCommands() {
        QFETCH(int, id);
        QFETCH(int, code);
        ClickCentre(keypad_->ButtonById(id));
        QCOMPARE(receiver_.calls, QStringList{QStringLiteral("command:%1").arg(code)});
    }

    void panelAcceleratorTable_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("command");
        const int C = Qt::ControlModifier, CS = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << C << 32775;
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << C << 32776;
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << C << 32777;
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << C << 32778;
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << C << 32809;
        QTest::newRow("Ctrl+Shift+K") << int(Qt::Key_K) << CS << 32810;
        QTest::newRow("Ctrl+Shift+L") << int(Qt::Key_L) << CS << 32811;
        QTest::newRow("Ctrl+Shift+M") << int(Qt::Key_M) << CS << 32812;
        QTest::newRow("Ctrl+Shift+T") << int(Qt::Key_T) << CS << 32813;
        QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << C << 32802;
        QTest::newRow("Ctrl+Shift+=") << int(Qt::Key_Equal) << CS << 32803;
        QTest::newRow("Ctrl+Shift++ from X11") << int(Qt::Key_Plus) << CS << 32803;
        QTest::newRow("Ctrl++ is not in the table") << int(Qt::Key_Plus) << C << 0;
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << C << 57600;
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << C << 57601;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << C << 57603;
        QTest::newRow("Ctrl+E") << int(Qt::Key_E) << C << 32771;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << C << 57607;
        QTest::newRow("keypad modifier ignored")
            << int(Qt::Key_Equal) << int(C | Qt::KeypadModifier) << 32802;
        QTest::newRow("K alone") << int(Qt::Key_K) << 0 << 0;
        QTest::newRow("Ctrl+Alt+K") << int(Qt::Key_K) << int(C | Qt::AltModifier) << 0;
        QTest::newRow("Ctrl+Shift+N") << int(Qt::Key_N) << CS << 0;
    }
    void panelAcceleratorTable() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, command);
        QCOMPARE(PanelCommandForKey(key, Qt::KeyboardModifiers(modifiers)), command);
    }

    void panelAcceleratorTableHasSixteenEntries() {
        QCOMPARE(PanelAccelerators().size(), size_t(16));
    }

    void panelKeysInTheKeypad_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QList<int>>("forwarded");
        const int C = Qt::ControlModifier, CS = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+= calculates")
            << int(Qt::Key_Equal) << C << QStringList{"command:2"} << QList<int>{};
        QTest::newRow("Ctrl+Shift+= calculates all")
            << int(Qt::Key_Plus) << CS << QStringList{"command:3"} << QList<int>{};
        QTest::newRow("Ctrl+K toggles the keypad")
            << int(Qt::Key_K) << C << QStringList{} << QList<int>{32775};
        QTest::newRow("Ctrl+W to the editor")
            << int(Qt::Key_W) << C << QStringList{} << QList<int>{32809};
        QTest::newRow("Ctrl+Shift+L focuses the log")
            << int(Qt::Key_L) << CS << QStringList{} << QList<int>{32811};
        QTest::newRow("Ctrl+Shift+K is the keypad's own")
            << int(Qt::Key_K) << CS << QStringList{} << QList<int>{};
        QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << C << QStringList{} << QList<int>{57603};
        QTest::newRow("a plain digit is no key of the keypad")
            << int(Qt::Key_5) << 0 << QStringList{} << QList<int>{};
    }
    void panelKeysInTheKeypad() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, sent);
        QFETCH(QList<int>, forwarded);
        QSignalSpy spy(keypad_, &CCalcKeyPad::panelCommand);
        CColorButton* button = keypad_->Button(12);
        button->setFocus();
        QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(receiver_.calls, sent);
        QList<int> commands;
        for (const QList<QVariant>& args : spy) commands << args.first().toInt();
        QCOMPARE(commands, forwarded);
    }

    void spaceAndEnterPressTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("return") << int(Qt::Key_Return);
        QTest::newRow("enter") << int(Qt::Key_Enter);
    }
    void spaceAndEnterPressTheFocusedButton() {
        QFETCH(int, key);
        CColorButton* seven = keypad_->ButtonById(1013);
        seven->setFocus();
        QTest::keyClick(seven, Qt::Key(key));
        QCOMPARE(receiver_.calls, QStringList{"insert:7"});
    }

    void tabOrderIsTheFixedOrder() {
        for (int i = 0; i + 1 < Keypad::ButtonCount; ++i)
            QCOMPARE(keypad_->Button(i)->nextInFocusChain(), keypad_->Button(i + 1));
    }

    void arrowKeysMoveThroughTheGrid_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("sin right") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("sin down") << 0 << int(Qt::Key_Down) << 6;
        QTest::newRow("cot right to pi") << 5 << int(Qt::Key_Right) << 30;
        QTest::newRow("free down skips the empty row") << 58 << int(Qt::Key_Down) << 60;
        QTest::newRow("0 down to =") << 51 << int(Qt::Key_Down) << 54;
        QTest::newRow("sin left stays") << 0 << int(Qt::Key_Left) << 0;
    }
    void arrowKeysMoveThroughTheGrid() {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        keypad_->Button(from)->setFocus();
        QTest::keyClick(keypad_->Button(from), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), keypad_->Button(to));
    }

    // The editor keeps the keyboard while the keypad is clicked; the
    // keyboard still reaches the keypad with Tab and its focus key.
    void clicksLeaveTheFocusWhereItWas_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("sent");
        QTest::newRow("own style, sin") << int(StyleTarvik) << 0 << "insert:sin(";
        QTest::newRow("classic, digit 7") << 0 << 47 << "insert:7";
        QTest::newRow("themed, =") << 3 << 54 << "command:2";
    }
    void clicksLeaveTheFocusWhereItWas() {
        QFETCH(int, style);
        QFETCH(int, index);
        QFETCH(QString, sent);
        keypad_->SetStyle(style);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        auto* editor = window_->findChild<QLineEdit*>();
        editor->setFocus();
        ClickCentre(keypad_->Button(index));
        ClickCentre(keypad_->Button(index));  // a second click changes nothing either
        QCOMPARE(receiver_.calls, (QStringList{sent, sent}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor));
        // Focusing the keypad (its focus key) lands on a button, not the clicked one.
        keypad_->setFocus(Qt::ShortcutFocusReason);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(keypad_->Button(0)));
        // Tab walks on from button to button.
        QTest::keyClick(keypad_->Button(0), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(keypad_->Button(1)));
    }

    void focusingTheKeypadReturnsToItsLastButton() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        keypad_->Button(44)->setFocus();
        window_->findChild<QLineEdit*>()->setFocus();
        QVERIFY(!keypad_->hasFocus());
        keypad_->setFocus();
        QCOMPARE(QApplication::focusWidget(), keypad_->Button(44));
    }

    void f1AsksForTheButtonsHelpContext_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<uint>("context");
        QTest::newRow("sin") << 1028 << 0x80660404u;
        QTest::newRow("=") << 1001 << 0x806603E9u;
        QTest::newRow("; enter") << 1071 << 0x8066042Fu;
    }
    void f1AsksForTheButtonsHelpContext() {
        QFETCH(int, id);
        QFETCH(uint, context);
        QSignalSpy spy(keypad_, &CCalcKeyPad::helpRequested);
        CColorButton* button = keypad_->ButtonById(id);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_F1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().value<uint32_t>(), context);
        QCOMPARE(button->HelpContext(), context);
    }

    void screenReadersHearWhatAButtonDoes_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("notation");
        QTest::addColumn<QString>("name");
        QTest::newRow("tg east") << 1029 << int(East) << "Insert tg(";
        QTest::newRow("tan west") << 1029 << int(West) << "Insert tan(";
        QTest::newRow("n!") << 1036 << int(West) << "Insert fact(";
        QTest::newRow("times") << 1016 << int(West) << "Insert *";
        QTest::newRow("minus") << 1019 << int(West) << "Insert -";
        QTest::newRow("arrow") << 1069 << int(West) << "Insert ->mem[";
        QTest::newRow("power") << 1039 << int(West) << "Insert ^(";
        QTest::newRow("enter") << 1063 << int(West) << "Insert a line end";
        QTest::newRow("; enter") << 1071 << int(West) << "Insert ; and a line end";
        QTest::newRow("=") << 1001 << int(West) << "Calculate the cell";
        QTest::newRow("= all") << 1062 << int(West) << "Calculate all cells";
        QTest::newRow("free") << 1068 << int(West) << "Free the memory";
        QTest::newRow("clear") << 1051 << int(West) << "Clear all";
        QTest::newRow("back") << 1050 << int(West) << "Delete the previous character";
    }
    void screenReadersHearWhatAButtonDoes() {
        QFETCH(int, id);
        QFETCH(int, notation);
        QFETCH(QString, name);
        keypad_->ApplyNotation(notation);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(keypad_->ButtonById(id));
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), name);
        QCOMPARE(face->role(), QAccessible::Button);
    }

    void powerNameFollowsAppendPowerOnFocus() {
        Preferences.AppendPower = 0;
        CColorButton* power = keypad_->ButtonById(1039);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        power->setFocus();
        QCOMPARE(power->accessibleName(), QStringLiteral("Insert ^"));
    }
};

QTEST_MAIN(TestKeypad)
#include "tst_keypad.moc"
