// The about box and the Preferences dialog.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "engine/Preferences.h"
#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcPreferences.h"
#include "tests/support/StillDialogs.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaCompositing.h"
#include "toolkit/TaLink.h"
#include "toolkit/TaStatic.h"

namespace {

// Catches the addresses the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

PreferencesValues Sample() {
    PreferencesValues values;
    values.AppendPower = 0;
    values.Notation = 1;
    values.LogPopup = 0;
    values.TrigonometricUnits = 2;
    values.UseSSE2 = 1;
    values.FreeConfirmation = 1;
    values.ClearConfirmation = 1;
    values.ResultDigits = 104;  // four significant digits
    return values;
}

bool Same(const PreferencesValues& a, const PreferencesValues& b) {
    return a.AppendPower == b.AppendPower && a.Notation == b.Notation && a.LogPopup == b.LogPopup &&
           a.TrigonometricUnits == b.TrigonometricUnits && a.UseSSE2 == b.UseSSE2 &&
           a.FreeConfirmation == b.FreeConfirmation && a.ClearConfirmation == b.ClearConfirmation &&
           a.ResultDigits == b.ResultDigits;
}

QCheckBox* Check(CCalcPreferences& dialog, int id) {
    return qobject_cast<QCheckBox*>(dialog.Control(id));
}
QComboBox* Combo(CCalcPreferences& dialog, int id) {
    return qobject_cast<QComboBox*>(dialog.Control(id));
}
QPushButton* Push(CCalcPreferences& dialog, int id) {
    return qobject_cast<QPushButton*>(dialog.Control(id));
}

}  // namespace

class ShellDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        StillDialogs::Begin();
        Preferences = Sample();
        PreferencesChanged = false;
        SSE2Available = false;
    }
    void cleanup() {
        StillDialogs::End();
        Preferences = PreferencesValues();
        PreferencesChanged = false;
        SSE2Available = false;
    }

    // --- about box ---------------------------------------------------------

    void aboutTexts() {
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Calculator"));
        QCOMPARE(dialog.TemplateId(), 100);
        QCOMPARE(dialog.Title()->Text(), QStringLiteral("Calculator Tarvik F"));
        QCOMPARE(dialog.Edition()->Text(), QStringLiteral("Free version"));
        QCOMPARE(dialog.Version()->Text(), QStringLiteral("01.02.004"));
        QCOMPARE(dialog.Support()->Text(), QStringLiteral("Support"));
        QCOMPARE(dialog.Professional()->Text(), QStringLiteral("Professional version"));
        QCOMPARE(dialog.PerfectButton()->Text(), QStringLiteral("Perfect"));
        QVERIFY(!dialog.Notice()->Text().isEmpty());
        QCOMPARE(dialog.Title()->Id(), 1124);
        QCOMPARE(dialog.Notice()->Id(), 1129);
        QCOMPARE(dialog.PerfectButton()->Id(), IDOK);
        QCOMPARE(dialog.Support()->TextColor(), 0xFE20A0E8u);
        QCOMPARE(dialog.Support()->BackgroundColor(), 0xFFF8F8F8u);
        QCOMPARE(dialog.Title()->TextColor(), 0xFE202020u);
        QVERIFY(dialog.PerfectButton()->IsDefaultButton());
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.PerfectButton()));
    }

    void aboutLinkTargets() {
        const QUrl support(CCalcAboutDialog::SupportAddress());
        const QUrl professional(CCalcAboutDialog::ProfessionalAddress());
        QCOMPARE(support.path(), QStringLiteral("/support"));
        QCOMPARE(professional.path(), QStringLiteral("/professional"));
        QCOMPARE(support.host(), professional.host());
        QVERIFY(support.host().endsWith(QLatin1String(".example")));
    }

    // Width 7 tw / 4; logo 18 tw / 16 at b + cap + 4; items every u from e.
    void aboutLayout() {
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        const int tw = dialog.Title()->width();
        const int th = dialog.Title()->height();
        const int cap = dialog.CaptionHeight();
        QCOMPARE(cap, 34);
        const int d = 18 * tw / 16;
        const int b = 27 * th / 16;
        const int gap = 14 * th / 32;
        const int u = gap + th;
        const int e = 49 * th / 16 + cap + d + 4;
        const int w = 7 * tw / 4;
        QCOMPARE(dialog.width(), w);
        QCOMPARE(dialog.height(), 7 * th + 5 * gap + dialog.PerfectButton()->height() + e + b);
        QCOMPARE(dialog.Logo().Width(), d);
        QCOMPARE(dialog.Logo().Height(), d);
        QCOMPARE(dialog.Logo().Position(), QPoint((w - d) / 2, b + cap + 4));
        const QList<QWidget*> items{dialog.Title(),   dialog.Edition(),      dialog.Version(),
                                    dialog.Support(), dialog.Professional(), dialog.Notice()};
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->y(), e + i * u);
            QCOMPARE(items[i]->x(), (w - items[i]->width()) / 2);
            QVERIFY(items[i]->x() >= 2);  // every line fits the window
        }
        QCOMPARE(dialog.PerfectButton()->y(), e + 5 * gap + 6 * th + b);
        QCOMPARE(dialog.PerfectButton()->x(), (w - dialog.PerfectButton()->width()) / 2);
    }

    void aboutEnterAnswersOk() {
        CCalcAboutDialog dialog(TestFonts());
        const int answer =
            RunModal(dialog, [&] { QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); });
        QCOMPARE(answer, IDOK);
    }

    void aboutLinksOpenTheSite_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("link");
        QTest::newRow("click Support") << "click" << 0;
        QTest::newRow("click Professional version") << "click" << 1;
        QTest::newRow("Space on Support") << "space" << 0;
        QTest::newRow("Enter on Professional version") << "enter" << 1;
    }
    void aboutLinksOpenTheSite() {
        QFETCH(QString, how);
        QFETCH(int, link);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        TaLink* target = link == 0 ? dialog.Support() : dialog.Professional();
        if (how == QLatin1String("click")) {
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        } else {
            target->setFocus();
            QVERIFY(target->IsDefaultButton());  // the default follows the focus
            QVERIFY(!dialog.PerfectButton()->IsDefaultButton());
            QTest::keyClick(target, how == QLatin1String("space") ? Qt::Key_Space : Qt::Key_Return);
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toString(), link == 0
                                                      ? CCalcAboutDialog::SupportAddress()
                                                      : CCalcAboutDialog::ProfessionalAddress());
        QVERIFY(dialog.isVisible());  // the links leave the box open
    }

    void disabledLinkDoesNothing() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        dialog.show();
        dialog.Support()->setEnabled(false);
        QTest::mouseClick(dialog.Support(), Qt::LeftButton, {}, dialog.Support()->rect().center());
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls.size(), 0);
    }

    // --- preferences -------------------------------------------------------

    void preferencesControls() {
        CCalcPreferences dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Preferences"));
        QCOMPARE(Check(dialog, 1074)->text(), QStringLiteral("Append power ^ with parenthese"));
        QCOMPARE(Check(dialog, 1081)->text(), QStringLiteral("Pop-up on new message if hidden"));
        QCOMPARE(Check(dialog, 1120)->text(), QStringLiteral("Memory free confirmation"));
        QCOMPARE(Check(dialog, 1121)->text(), QStringLiteral("Clear confirmation"));
        QCOMPARE(Check(dialog, 1083)->text(), QStringLiteral("Use SSE2 processor module"));
        QCOMPARE(Push(dialog, 1)->text(), QStringLiteral("OK"));
        QCOMPARE(Push(dialog, 2)->text(), QStringLiteral("Cancel"));
        QCOMPARE(Push(dialog, 1084)->text(), QStringLiteral("Default"));
        QVERIFY(Push(dialog, 1)->isDefault());
        QComboBox* notation = Combo(dialog, 1079);
        QCOMPARE(notation->count(), 2);
        QCOMPARE(notation->itemText(0), QStringLiteral("West"));
        QCOMPARE(notation->itemText(1), QStringLiteral("East"));
        QComboBox* units = Combo(dialog, 1082);
        QCOMPARE(units->count(), 3);
        QCOMPARE(units->itemText(0), QStringLiteral("Radians"));
        QCOMPARE(units->itemText(1), QStringLiteral("Degrees"));
        QCOMPARE(units->itemText(2), QStringLiteral("Grads"));
        QStringList groups;
        for (auto* box : dialog.findChildren<QGroupBox*>()) groups << box->title();
        QCOMPARE(groups, (QStringList{"Keypad", "Log", "Calculation", "Result digits"}));
        QStringList labels;
        for (auto* label : dialog.findChildren<QLabel*>()) labels << label->text();
        QCOMPARE(labels, (QStringList{"Notation", "Trigonometric units", "Show"}));
        QComboBox* digits = Combo(dialog, CCalcPreferences::IdResultDigits);
        QStringList modes;
        for (int i = 0; i < digits->count(); ++i) modes << digits->itemText(i);
        QCOMPARE(modes,
                 (QStringList{"Exact (19 digits)", "Shortest", "Significant digits", "Decimals"}));
        // Below the template's controls, which keep their places.
        QVERIFY(digits->geometry().top() >= dialog.DialogUnitsToPixels(0, 0, 0, 163).height());
        // Placed in dialog units.
        QCOMPARE(Push(dialog, 1)->geometry(), dialog.DialogUnitsToPixels(137, 6, 50, 14));
        QCOMPARE(Check(dialog, 1083)->geometry(), dialog.DialogUnitsToPixels(9, 144, 104, 10));
        QCOMPARE(Combo(dialog, 1082)->geometry().left(),
                 dialog.DialogUnitsToPixels(77, 0, 0, 0).x());
        QCOMPARE(dialog.size(), dialog.DialogUnitsToPixels(0, 0, 191, 196).size());
    }

    // Whatever the desktop's font, no caption is cut.
    void preferencesCaptionsFit() {
        CCalcPreferences dialog;
        QList<QWidget*> texts;
        for (auto* box : dialog.findChildren<QCheckBox*>()) texts << box;
        for (auto* label : dialog.findChildren<QLabel*>()) texts << label;
        for (auto* combo : dialog.findChildren<QComboBox*>()) texts << combo;
        QCOMPARE(texts.size(), 11);
        for (QWidget* widget : texts) {
            QVERIFY2(widget->sizeHint().width() <= widget->width(),
                     qPrintable(widget->metaObject()->className()));
            QVERIFY(QRect(QPoint(0, 0), dialog.size()).contains(widget->geometry()));
        }
    }

    void preferencesFilledFromTheValues() {
        Preferences.FreeConfirmation = 5;  // any nonzero value shows as a mark
        CCalcPreferences dialog;
        const PreferencesValues shown = dialog.Shown();
        PreferencesValues expected = Sample();
        QVERIFY(Same(shown, expected));
    }

    void sse2BoxFollowsAvailability_data() {
        QTest::addColumn<bool>("available");
        QTest::newRow("no SSE2 module") << false;
        QTest::newRow("SSE2 module present") << true;
    }
    void sse2BoxFollowsAvailability() {
        QFETCH(bool, available);
        SSE2Available = available;
        int switched = 0;
        CCalcPreferences dialog(nullptr, {}, [&] { ++switched; });
        QCOMPARE(Check(dialog, 1083)->isEnabled(), available);
        QVERIFY(Check(dialog, 1083)->isChecked());  // the stored value still shows
        const int answer = RunDialog(dialog, [&] { Push(dialog, 1)->click(); });
        QCOMPARE(answer, IDOK);
        QCOMPARE(switched, available ? 1 : 0);
    }

    void defaultThenCancelChangesNothing() {
        int refreshed = 0;
        CCalcPreferences dialog(nullptr, [&] { ++refreshed; });
        const int answer = RunDialog(dialog, [&] {
            Push(dialog, 1084)->click();
            // The controls show the defaults while the dialog stays open.
            PreferencesValues defaults;
            QVERIFY(Same(dialog.Shown(), defaults));
            QVERIFY(dialog.isVisible());
            Push(dialog, 2)->click();
        });
        QCOMPARE(answer, IDCANCEL);
        QVERIFY(Same(Preferences, Sample()));
        QVERIFY(!PreferencesChanged);
        QCOMPARE(refreshed, 0);
    }

    void escapeCancels() {
        CCalcPreferences dialog;
        const int answer = RunDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QCOMPARE(answer, IDCANCEL);
        QVERIFY(!PreferencesChanged);
    }

    void okWithoutChangeMarksChanged() {
        int refreshed = 0;
        CCalcPreferences dialog(nullptr, [&] { ++refreshed; });
        const int answer = RunDialog(dialog, [&] { Push(dialog, 1)->click(); });
        QCOMPARE(answer, IDOK);
        QVERIFY(PreferencesChanged);
        QVERIFY(Same(Preferences, Sample()));
        QCOMPARE(refreshed, 1);
    }

    // The digits controls store the code of their choice; the count box
    // follows the kind and remembers each kind's count.
    void okStoresResultDigits_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("counted");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::addColumn<uint>("stored");
        QTest::newRow("exact") << 0 << -1 << false << 0 << 0 << 0u;
        QTest::newRow("shortest") << 1 << -1 << false << 0 << 0 << 1u;
        QTest::newRow("17 significant") << 2 << 17 << true << 1 << 17 << 117u;
        QTest::newRow("significant kept at 4") << 2 << -1 << true << 1 << 17 << 104u;
        QTest::newRow("no decimals") << 3 << 0 << true << 0 << 15 << 200u;
        QTest::newRow("decimals start at 2") << 3 << -1 << true << 0 << 15 << 202u;
        QTest::newRow("15 decimals") << 3 << 15 << true << 0 << 15 << 215u;
    }
    void okStoresResultDigits() {
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(bool, counted);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(uint, stored);
        CCalcPreferences dialog;
        auto* spin = qobject_cast<QSpinBox*>(dialog.Control(CCalcPreferences::IdDigitsCount));
        QVERIFY(spin->isEnabled());  // Sample: four significant digits
        QCOMPARE(spin->value(), 4);
        const int answer = RunDialog(dialog, [&] {
            Combo(dialog, CCalcPreferences::IdResultDigits)->setCurrentIndex(mode);
            QCOMPARE(spin->isEnabled(), counted);
            if (counted) {
                QCOMPARE(spin->minimum(), lowest);
                QCOMPARE(spin->maximum(), highest);
            }
            if (count >= 0) spin->setValue(count);
            Push(dialog, 1)->click();
        });
        QCOMPARE(answer, IDOK);
        QCOMPARE(Preferences.ResultDigits, stored);
    }

    // OK stores each control into its value (check boxes as 0 or 1).
    void okStoresEveryValue_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("field");
        QTest::addColumn<uint>("stored");
        // field: 0 AppendPower, 1 Notation, 2 LogPopup, 3 units, 4 UseSSE2, 5 FreeConfirmation, 6
        // ClearConfirmation
        QTest::newRow("append power on") << 1074 << 1 << 0 << 1u;
        QTest::newRow("notation West") << 1079 << 0 << 1 << 0u;
        QTest::newRow("log pop-up on") << 1081 << 1 << 2 << 1u;
        QTest::newRow("units Degrees") << 1082 << 1 << 3 << 1u;
        QTest::newRow("units Radians") << 1082 << 0 << 3 << 0u;
        QTest::newRow("SSE2 off") << 1083 << 0 << 4 << 0u;
        QTest::newRow("free confirmation off") << 1120 << 0 << 5 << 0u;
        QTest::newRow("clear confirmation off") << 1121 << 0 << 6 << 0u;
    }
    void okStoresEveryValue() {
        QFETCH(int, control);
        QFETCH(int, setting);
        QFETCH(int, field);
        QFETCH(uint, stored);
        Preferences.FreeConfirmation = 7;  // stored back as 1 when left checked
        CCalcPreferences dialog;
        const int answer = RunDialog(dialog, [&] {
            if (auto* box = Check(dialog, control)) box->setChecked(setting != 0);
            if (auto* combo = Combo(dialog, control)) combo->setCurrentIndex(setting);
            Push(dialog, 1)->click();
        });
        QCOMPARE(answer, IDOK);
        const uint32_t values[7] = {Preferences.AppendPower,      Preferences.Notation,
                                    Preferences.LogPopup,         Preferences.TrigonometricUnits,
                                    Preferences.UseSSE2,          Preferences.FreeConfirmation,
                                    Preferences.ClearConfirmation};
        QCOMPARE(values[field], stored);
        PreferencesValues expected = Sample();
        uint32_t* fields[7] = {&expected.AppendPower,      &expected.Notation,
                               &expected.LogPopup,         &expected.TrigonometricUnits,
                               &expected.UseSSE2,          &expected.FreeConfirmation,
                               &expected.ClearConfirmation};
        *fields[field] = stored;
        QVERIFY(Same(Preferences, expected));
    }

private:
    // Runs the Preferences dialog modally and acts on it once shown.
    static int RunDialog(CCalcPreferences& dialog, const std::function<void()>& whileOpen) {
        QTimer::singleShot(0, &dialog, whileOpen);
        return dialog.DoModal();
    }
};

TOOLKIT_SUITE(ShellDialogsTest);
#include "ShellDialogsTest.moc"
