// Statistics of the memory cells: the six values, the texts for values that
// are not numbers, the panel's boxes and its request to be shown.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <limits>

#include "panels/CCalcStatistics.h"
#include "panels/StatisticsMath.h"
#include "tests/panels/PanelTestSupport.h"

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QString kNo = QStringLiteral("Cannot be calculated");
const QString kUndefined = QStringLiteral("Undefined");
const QString kPositive = QStringLiteral("Overflow: too big positive number");
const QString kNegative = QStringLiteral("Overflow: too big negative number");
}  // namespace

class StatisticsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_ = std::make_unique<TempSettings>(); }
    void cleanup() { settings_.reset(); }

    // Mean, variance, standard deviation, average deviation, skewness, kurtosis.
    void values_data() {
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<QStringList>("texts");
        const QStringList oneToFour = {"2.5", "1.666666666666666741", "1.2909944487358056", "1",
                                       "0",   "-2.077500000000000124"};
        QTest::newRow("1 2 3 4") << std::vector<double>{1, 2, 3, 4} << oneToFour;
        QTest::newRow("4 1 3 2, any order") << std::vector<double>{4, 1, 3, 2} << oneToFour;
        QTest::newRow("two values")
            << std::vector<double>{1, 3}
            << QStringList{"2", "2", "1.414213562373095145", "1", "0", "-2.75"};
        QTest::newRow("three values")
            << std::vector<double>{1, 2, 3}
            << QStringList{"2", "1", "1", "0.6666666666666666297", "0", "-2.333333333333333481"};
        QTest::newRow("equal values")
            << std::vector<double>{7, 7, 7} << QStringList{"7", "0", "0", "0", kNo, kNo};
        QTest::newRow("a single value")
            << std::vector<double>{5}
            << QStringList{"5", kUndefined, kUndefined, "0", kUndefined, kUndefined};
        QTest::newRow("plus infinity")
            << std::vector<double>{1, kInfinity, 2}
            << QStringList{kPositive, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined};
        QTest::newRow("minus infinity")
            << std::vector<double>{-kInfinity, 1}
            << QStringList{kNegative, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined};
        QTest::newRow("both infinities")
            << std::vector<double>{kInfinity, -kInfinity}
            << QStringList{kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined};
        QTest::newRow("squares overflow")
            << std::vector<double>{1e200, -1e200}
            << QStringList{"0",        kPositive, kPositive, "9.999999999999999697e+199",
                           kUndefined, kUndefined};
    }

    void values() {
        QFETCH(std::vector<double>, values);
        QFETCH(QStringList, texts);
        const Statistics statistics = ComputeStatistics(values);
        QStringList shown;
        for (const StatisticValue& statistic : statistics) shown.append(StatisticText(statistic));
        QCOMPARE(shown, texts);

        CCalcStatistics panel;
        QSignalSpy spy(&panel, &CCalcStatistics::ShowRequested);
        panel.Calculate(values);
        QCOMPARE(spy.count(), 1);
        for (int index = 0; index < StatisticCount; ++index)
            QCOMPARE(panel.Box(StatisticIndex(index))->text(), texts[index]);
    }

    void texts_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("computable");
        QTest::addColumn<QString>("text");
        QTest::newRow("not computable") << 1.0 << false << kNo;
        QTest::newRow("quiet NaN") << kNaN << true << kUndefined;
        QTest::newRow("signalling NaN")
            << std::numeric_limits<double>::signaling_NaN() << true << kUndefined;
        QTest::newRow("minus infinity") << -kInfinity << true << kNegative;
        QTest::newRow("plus infinity") << kInfinity << true << kPositive;
        QTest::newRow("19 digits") << 0.1 << true << "0.1000000000000000056";
        QTest::newRow("negative zero") << -0.0 << true << "-0";
        QTest::newRow("exponent") << 1e-300 << true << "1.000000000000000025e-300";
    }

    void texts() {
        QFETCH(double, value);
        QFETCH(bool, computable);
        QFETCH(QString, text);
        QCOMPARE(StatisticText({value, computable}), text);
    }

    void panel() {
        CCalcStatistics panel;
        const QStringList labels = {"Mean (average)",    "Variance", "Standard deviation",
                                    "Average deviation", "Skewness", "Kurtosis"};
        const QStringList names = {"edit1090", "edit1091", "edit1096",
                                   "edit1093", "edit1094", "edit1095"};
        int previousTop = -1;
        for (int index = 0; index < StatisticCount; ++index) {
            QLineEdit* box = panel.Box(StatisticIndex(index));
            QCOMPARE(panel.Label(StatisticIndex(index))->text(), labels[index]);
            QCOMPARE(box->objectName(), names[index]);
            QVERIFY(box->isReadOnly());
            QVERIFY(box->text().isEmpty());  // empty until the first computation
            QVERIFY(box->geometry().top() > previousTop);
            QVERIFY(panel.Label(StatisticIndex(index))->geometry().right() <
                    box->geometry().left());
            QVERIFY(QRect(QPoint(0, 0), panel.sizeHint()).contains(box->geometry()));
            previousTop = box->geometry().top();
        }
    }

    void resultsStayUntilTheNextComputation() {
        CCalcStatistics panel;
        panel.Calculate({1, 2, 3, 4});
        panel.resize(panel.sizeHint() + QSize(50, 50));
        QCOMPARE(panel.Box(Mean)->text(), QStringLiteral("2.5"));
        panel.Calculate({2, 2});
        QCOMPARE(panel.Box(Mean)->text(), QStringLiteral("2"));
        QCOMPARE(panel.Box(Skewness)->text(), kNo);
    }

    // The boxes follow the result digits, also for results already shown.
    void resultsFollowTheDigits() {
        CCalcStatistics panel;
        panel.ShowValues();  // nothing computed yet: nothing to show
        QVERIFY(panel.Box(Mean)->text().isEmpty());
        Preferences.ResultDigits = 101;  // one significant digit
        panel.Calculate({1, 2});
        QCOMPARE(panel.Box(Mean)->text(), QStringLiteral("2"));
        QCOMPARE(panel.Box(Variance)->text(), QStringLiteral("0.5"));
        Preferences.ResultDigits = 202;  // two decimals
        panel.ShowValues();
        QCOMPARE(panel.Box(Mean)->text(), QStringLiteral("1.50"));
        QCOMPARE(panel.Box(Variance)->text(), QStringLiteral("0.50"));
        Preferences.ResultDigits = 0;
    }

    // The frame focuses a panel by giving the panel the focus: from outside
    // it lands on the box last used, from inside it stays where it is.
    void focusingThePanelKeepsItsBox_data() {
        QTest::addColumn<int>("tabs");
        QTest::newRow("first box") << 0;
        QTest::newRow("third box") << 2;
        QTest::newRow("last box") << 5;
    }
    void focusingThePanelKeepsItsBox() {
        QFETCH(int, tabs);
        QWidget window;
        auto* editor = new QLineEdit(&window);
        auto* statistics = new CCalcStatistics(&window);
        statistics->move(0, 30);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        editor->setFocus();
        statistics->setFocus(Qt::ShortcutFocusReason);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(statistics->Box(Mean)));
        for (int i = 0; i < tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* box = statistics->Box(StatisticIndex(tabs));
        QCOMPARE(QApplication::focusWidget(), box);
        statistics->setFocus(Qt::ShortcutFocusReason);
        QCOMPARE(QApplication::focusWidget(), box);
        editor->setFocus();
        statistics->setFocus(Qt::ShortcutFocusReason);
        QCOMPARE(QApplication::focusWidget(), box);
    }

private:
    std::unique_ptr<TempSettings> settings_;
};

QTEST_MAIN(StatisticsTest)
#include "tst_statistics.moc"
