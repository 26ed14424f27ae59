// The angle-unit selector: its list, the preference it sets, the texts of
// the other selectors, and the unit reaching the next calculation.
#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

#include "panels/CCalcTrigonometricUnits.h"
#include "tests/panels/PanelTestSupport.h"

class UnitsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        settings_ = std::make_unique<TempSettings>();
        ResetPreferences();
        ResetMemory();
    }
    void cleanup() {
        ResetPreferences();
        settings_.reset();
    }

    void window() {
        QWidget frame;
        CCalcTrigonometricUnits units(&frame);
        QCOMPARE(units.windowTitle(), QStringLiteral("Trigonometric function"));
        QVERIFY(units.isHidden());
        QCOMPARE(units.List()->objectName(), QStringLiteral("combo1088"));
        QCOMPARE(units.List()->count(), 3);
        QCOMPARE(units.List()->itemText(0), QStringLiteral("Radians"));
        QCOMPARE(units.List()->itemText(1), QStringLiteral("Degrees"));
        QCOMPARE(units.List()->itemText(2), QStringLiteral("Grads"));
        QVERIFY(units.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(units.List()->geometry().right() < units.width());
    }

    void startsWithThePreference_data() {
        QTest::addColumn<uint>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("radians") << 0u << 0;
        QTest::newRow("degrees") << 1u << 1;
        QTest::newRow("grads") << 2u << 2;
        QTest::newRow("out of range") << 3u << 0;
    }

    void startsWithThePreference() {
        QFETCH(uint, stored);
        QFETCH(int, selected);
        Preferences.TrigonometricUnits = stored;
        CCalcTrigonometricUnits units;
        QCOMPARE(units.List()->currentIndex(), selected);
    }

    // Keys on the closed list pick a unit as the mouse would.
    void choosing_data() {
        QTest::addColumn<uint>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<uint>("unit");
        QTest::newRow("radians to degrees") << 0u << int(Qt::Key_Down) << 1u;
        QTest::newRow("degrees to grads") << 1u << int(Qt::Key_Down) << 2u;
        QTest::newRow("grads to degrees") << 2u << int(Qt::Key_Up) << 1u;
        QTest::newRow("last item to radians") << 2u << int(Qt::Key_Home) << 0u;
    }

    void choosing() {
        QFETCH(uint, start);
        QFETCH(int, key);
        QFETCH(uint, unit);
        Preferences.TrigonometricUnits = start;
        CCalcTrigonometricUnits units;
        QSignalSpy chosen(&units, &CCalcTrigonometricUnits::UnitChosen);
        QTest::keyClick(units.List(), Qt::Key(key));
        QCOMPARE(Preferences.TrigonometricUnits, unit);
        QVERIFY(PreferencesChanged);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toInt(), int(unit));
        QCOMPARE(units.List()->currentIndex(), int(unit));
    }

    // Picking from the opened list: only a different unit counts as a change.
    void pickingFromTheOpenList_data() {
        QTest::addColumn<uint>("start");
        QTest::addColumn<int>("moves");  // Down presses in the open list
        QTest::addColumn<bool>("changed");
        QTest::newRow("radians again") << 0u << 0 << false;
        QTest::newRow("degrees again") << 1u << 0 << false;
        QTest::newRow("grads again") << 2u << 0 << false;
        QTest::newRow("radians to degrees") << 0u << 1 << true;
    }

    void pickingFromTheOpenList() {
        QFETCH(uint, start);
        QFETCH(int, moves);
        QFETCH(bool, changed);
        Preferences.TrigonometricUnits = start;
        CCalcTrigonometricUnits units;
        units.show();
        QVERIFY(QTest::qWaitForWindowExposed(&units));
        QSignalSpy chosen(&units, &CCalcTrigonometricUnits::UnitChosen);
        QSignalSpy activated(units.List(), &QComboBox::activated);
        units.List()->showPopup();
        QAbstractItemView* view = units.List()->view();
        QTRY_VERIFY(view->isVisible());
        for (int i = 0; i < moves; ++i) QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);  // the pick itself reached the list
        QCOMPARE(Preferences.TrigonometricUnits, start + uint(moves));
        QCOMPARE(PreferencesChanged, changed);
        QCOMPARE(chosen.count(), changed ? 1 : 0);
    }

    void showUnitFollowsWithoutChoosing_data() {
        QTest::addColumn<uint>("unit");
        QTest::addColumn<int>("selected");
        QTest::newRow("degrees") << 1u << 1;
        QTest::newRow("grads") << 2u << 2;
        QTest::newRow("radians") << 0u << 0;
        QTest::newRow("out of range shows radians") << 0xFFFFFFFFu << 0;
    }

    void showUnitFollowsWithoutChoosing() {
        QFETCH(uint, unit);
        QFETCH(int, selected);
        Preferences.TrigonometricUnits = 1;
        CCalcTrigonometricUnits units;
        QSignalSpy chosen(&units, &CCalcTrigonometricUnits::UnitChosen);
        units.ShowUnit(unit);
        QCOMPARE(units.List()->currentIndex(), selected);
        QCOMPARE(chosen.count(), 0);
        QVERIFY(!PreferencesChanged);
        QCOMPARE(Preferences.TrigonometricUnits, 1u);
    }

    void paneTexts_data() {
        QTest::addColumn<uint>("unit");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0u << "Rad";
        QTest::newRow("1") << 1u << "Deg";
        QTest::newRow("2") << 2u << "Grad";
        QTest::newRow("3") << 3u << "Rad";
        QTest::newRow("0xFFFFFFFF") << 0xFFFFFFFFu << "Rad";
    }

    void paneTexts() {
        QFETCH(uint, unit);
        QFETCH(QString, text);
        QCOMPARE(TrigonometricUnitPaneText(unit), text);
    }

    void toolbarItems() {
        QCOMPARE(TrigonometricUnitToolbarItems(), (QStringList{" Rad", " Deg", " Grad"}));
    }

    // The next calculation uses the chosen unit; results already written stay.
    void nextCalculationUsesTheUnit_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("result");
        QTest::newRow("degrees") << int(Qt::Key_Down) << "sin(30)"
                                 << "sin(30)=0.4999999999999999445";
        QTest::newRow("grads") << int(Qt::Key_End) << "cos(100)"
                               << "cos(100)=6.123233995736766036e-17";
        QTest::newRow("radians") << int(Qt::Key_Home) << "sin(0)"
                                 << "sin(0)=0";
    }

    void nextCalculationUsesTheUnit() {
        QFETCH(int, key);
        QFETCH(QString, cell);
        QFETCH(QString, result);
        Preferences.TrigonometricUnits = 0;
        const QString earlier = CalculateAll(QStringLiteral("sin(1)"));
        CCalcTrigonometricUnits units;
        QTest::keyClick(units.List(), Qt::Key(key));
        QCOMPARE(CalculateAll(cell), result);
        QCOMPARE(earlier, QStringLiteral("sin(1)=0.8414709848078965049"));
    }

    void closeBoxHides() {
        QWidget frame;
        frame.show();
        CCalcTrigonometricUnits units(&frame);
        QSignalSpy visibility(&units, &CCalcTrigonometricUnits::VisibilityChanged);
        units.show();
        QVERIFY(QTest::qWaitForWindowExposed(&units));
        QVERIFY(units.close());
        QVERIFY(units.isHidden());
        QCOMPARE(visibility.count(), 2);
        QCOMPARE(visibility.at(0).first().toBool(), true);
        QCOMPARE(visibility.at(1).first().toBool(), false);
        units.show();  // the same window comes back
        QVERIFY(units.isVisible());
        QTest::keyClick(&units, Qt::Key_Escape);
        QVERIFY(units.isHidden());
    }

private:
    std::unique_ptr<TempSettings> settings_;
};

QTEST_MAIN(UnitsTest)
#include "tst_units.moc"
