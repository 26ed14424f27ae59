// The program started with and without "/lang ru": the texts of the menus,
// the message dialog, the about box and Qt's own dialogs, and Russian texts
// that must fit where the English ones do.
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "document/CCalcDoc.h"
#include "panels/CCalcLog.h"
#include "panels/CCalcStatistics.h"
#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcApp.h"
#include "shell/CCalcMainFrame.h"
#include "tests/support/TempSettings.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaLink.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaStatic.h"
#include "toolkit/TaStrings.h"
#include "toolkit/TaText.h"

namespace {

QString Join(const QStringList& texts) { return texts.join(QLatin1Char('|')); }

QString MenuTitles(const CCalcMainFrame& frame) {
    QStringList titles;
    for (const QAction* action : frame.menuBar()->actions()) titles << action->text();
    return Join(titles);
}

QString MenuItems(const CCalcMainFrame& frame, int menu) {
    QStringList items;
    for (const QAction* action : frame.menuBar()->actions()[menu]->menu()->actions())
        if (!action->isSeparator() && action->isVisible()) items << action->text();
    return Join(items);
}

QString Captions() {
    QStringList captions;
    for (auto kind : {TaMessageDialog::Kind::Stops, TaMessageDialog::Kind::Asks,
                      TaMessageDialog::Kind::Warns, TaMessageDialog::Kind::Informs})
        captions << TaLoadString(TaMessageDialog::CaptionIdOf(kind));
    return Join(captions);
}

QString ButtonTexts(unsigned type, const TaFonts& fonts) {
    TaMessageDialog dialog(QStringLiteral("?"), type, 0, fonts);
    dialog.Initialize();
    QStringList texts;
    for (int i = 0; i < dialog.ButtonCount(); ++i) texts << dialog.Button(i)->Text();
    return Join(texts);
}

QString AboutTexts(const TaFonts& fonts) {
    CCalcAboutDialog about(fonts);
    about.Initialize();
    return Join({about.windowTitle(), about.Title()->Text(), about.Edition()->Text(),
                 about.Support()->Text(), about.Professional()->Text(), about.Notice()->Text(),
                 about.PerfectButton()->Text()});
}

}  // namespace

class TestRussian : public QObject {
    Q_OBJECT

private slots:
    void texts_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("menus");
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QString>("captions");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("about");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("qtCancel");

        const QString russianFile = QStringLiteral(
            "&Создать|&Открыть…|Со&хранить|Сохранить &как…|&Выполнить…|&Печать…|"
            "П&редварительный просмотр|Пара&метры страницы…|Последний файл|В&ыход");
        const QString russianAbout = QStringLiteral(
            "О калькуляторе|Калькулятор Tarvik F|Бесплатная версия|Поддержка|"
            "Профессиональная версия|© Tarvik. Все права защищены.|Отлично");
        const auto russian = [&](const char* name, const QStringList& arguments) {
            QTest::newRow(name) << arguments << "&Файл|Па&мять|&Правка|&Вид|&Настройки|&Справка"
                                << russianFile
                                << "Калькулятор прерывает работу|Калькулятор спрашивает|"
                                   "Калькулятор предупреждает|Калькулятор сообщает"
                                << "Отмена|Повторить|Продолжить|Да|Нет|Прервать|Повтор|"
                                   "Пропустить|Закрыть"
                                << russianAbout << " Tarvik F — Расчёт"
                                << "Отмена";
        };
        const auto english =
            [&](const char* name, const QStringList& arguments) {
                QTest::newRow(name)
                    << arguments << "&File|&Memory|&Edit|&View|&Set|&Help"
                    << "&New|&Open...|&Save|Save &As...|&Execute...|&Print...|Print Pre&view|"
                       "Pa&ge Setup...|Recent File|E&xit"
                    << "Calculator stops|Calculator asks|Calculator warns|"
                       "Calculator informs"
                    << "Cancel|Try again|Continue|Yes|No|Abort|Retry|Ignore|"
                       "Close"
                    << "About Calculator|Calculator Tarvik F|Free version|Support|"
                       "Professional version|© Tarvik. All rights reserved.|Perfect"
                    << " Tarvik F — Calculation"
                    << "Cancel";
            };
        russian("/lang ru", {"/lang", "ru"});
        russian("-LANG RU", {"-LANG", "RU"});
        english("no switch", {});
        english("a language not shipped", {"/lang", "de"});
        english("/lang without a language", {"/lang"});
    }
    void texts() {
        QFETCH(QStringList, arguments);
        TempSettings settings;
        {
            CCalcApp app;
            QVERIFY(app.InitInstance(arguments));
            const CCalcMainFrame& frame = *app.MainFrame();
            QTEST(MenuTitles(frame), "menus");
            QTEST(MenuItems(frame, 0), "fileMenu");
            QTEST(Captions(), "captions");
            // Cancel/Try again/Continue, Yes/No/Cancel, Abort/Retry/Ignore, OK alone.
            QTEST(Join({ButtonTexts(MB_CANCELTRYCONTINUE, app.Fonts()),
                        ButtonTexts(MB_YESNO | MB_ICONQUESTION, app.Fonts()),
                        ButtonTexts(MB_ABORTRETRYIGNORE, app.Fonts()),
                        ButtonTexts(MB_OK, app.Fonts())}),
                  "buttons");
            QTEST(AboutTexts(app.Fonts()), "about");
            QTEST(frame.windowTitle(), "title");
            // Qt's own texts come with the same switch.
            QDialogButtonBox box(QDialogButtonBox::Cancel);
            QTEST(box.button(QDialogButtonBox::Cancel)->text(), "qtCancel");
            // The settings keep their product name in every language.
            QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Numera"));
            app.MainFrame()->close();
            app.ExitInstance();
        }
        // The next start without the switch is English again.
        QCOMPARE(TaLoadString(TaStringId::ButtonYes), QStringLiteral("Yes"));
    }

    // Russian texts are longer: the places that measured the English ones.
    void russianTextsFit() {
        TempSettings settings;
        CCalcApp app;
        QVERIFY(app.InitInstance({"/lang", "ru"}));
        CCalcMainFrame& frame = *app.MainFrame();

        const CCalcStatistics& statistics = *frame.Statistics();
        for (int i = 0; i < StatisticCount; ++i) {
            const auto index = static_cast<StatisticIndex>(i);
            const QLabel* label = statistics.Label(index);
            QVERIFY2(label->x() + label->sizeHint().width() <= statistics.Box(index)->x(),
                     qPrintable(label->text()));
            QVERIFY(statistics.Box(index)->geometry().right() < statistics.sizeHint().width());
        }

        const QTreeWidget& log = *frame.Log()->List();
        const int status = log.header()->sectionSize(1);
        QCOMPARE(log.headerItem()->text(1), QStringLiteral("Состояние"));
        QVERIFY(status >= log.fontMetrics().horizontalAdvance(QStringLiteral("Предупреждение")));

        // Every caption, in its narrowest dialog, clears the icon and the close button.
        const QFont font = app.Fonts().Font(TaFace::Bold, 11.0, TaFontStyle::Bold);
        for (unsigned icon :
             {MB_ICONSTOP, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION}) {
            TaMessageDialog dialog(QStringLiteral("."), MB_OK | icon, 0, app.Fonts());
            dialog.Initialize();
            const qreal text = TaMeasureText(font, dialog.windowTitle(), &dialog).width();
            const qreal left = (dialog.width() - text) / 2;
            const TaImage& captionIcon = dialog.CaptionIcon();
            QVERIFY2(left >= captionIcon.Position().x() + captionIcon.Width(),
                     qPrintable(dialog.windowTitle()));
            QVERIFY2(left + text <= dialog.CloseButtonBox().left(),
                     qPrintable(dialog.windowTitle()));
        }

        frame.close();
        app.ExitInstance();
    }
};

QTEST_MAIN(TestRussian)
#include "tst_russian.moc"
