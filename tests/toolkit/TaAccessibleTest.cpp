// What the accessibility bus reads of the toolkit: the message dialog, its
// letter keys, the about box, an image button and the preferences dialog,
// and the notices a screen reader hears.
#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QHash>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QUrl>

#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcPreferences.h"
#include "tests/support/StillDialogs.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaAccessible.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaButtonBitmap.h"
#include "toolkit/TaCompositing.h"
#include "toolkit/TaLink.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaStatic.h"

namespace {

QAccessibleInterface* Iface(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// A dialog as a reader walks it: role and name, then each child, images in
// brackets, labels quoted, the default button starred.
QString Reading(QObject* dialog) {
    QAccessibleInterface* iface = Iface(dialog);
    QString text = (iface->role() == QAccessible::AlertMessage ? QStringLiteral("alert ")
                    : iface->role() == QAccessible::Dialog     ? QStringLiteral("dialog ")
                                                               : QStringLiteral("? ")) +
                   iface->text(QAccessible::Name) + QLatin1Char(':');
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        const QString name = child->text(QAccessible::Name);
        if (iface->indexOfChild(child) != i) text += QStringLiteral(" (lost)");
        switch (child->role()) {
            case QAccessible::Graphic:
                text += QStringLiteral(" [%1]").arg(name);
                break;
            case QAccessible::StaticText:
                text += QStringLiteral(" '%1'").arg(name);
                break;
            case QAccessible::PushButton:
                text += QLatin1Char(' ') + name + (child->state().defaultButton ? "*" : "");
                break;
            case QAccessible::Link:
                text += QStringLiteral(" <%1 %2>").arg(name, child->text(QAccessible::Description));
                break;
            default:
                text += QStringLiteral(" ?%1").arg(name);
        }
    }
    return text;
}

void Press(QObject* control) {
    Iface(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The toolkit's notices while listening: "event name".
QStringList notices;
void Record(QAccessibleEvent* event) {
    notices << QStringLiteral("%1 %2").arg(int(event->type())).arg(event->object()->objectName());
}
QString Notice(QAccessible::Event type, const char* name) {
    return QStringLiteral("%1 %2").arg(int(type)).arg(QLatin1String(name));
}

class Russian : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        static const QHash<QString, QString> ru{{"Yes", "Да"}, {"No", "Нет"}, {"Cancel", "Отмена"}};
        return qstrcmp(context, "Strings") == 0 ? ru.value(QString::fromLatin1(source)) : QString();
    }
    bool isEmpty() const override { return false; }
};

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

const QString kTwoLines = QStringLiteral("Only one cell is selected.\nCalculate for all cells?");

}  // namespace

class TaAccessibleTest : public QObject {
    Q_OBJECT
private slots:
    void init() { StillDialogs::Begin(); }
    void cleanup() {
        StillDialogs::End();
        TaSetAccessibleNoticeHook(nullptr);
        notices.clear();
    }

    // Each kind and button set: what a reader hears, the focus on the
    // default button, the announcements, and a button's press action.
    void messageDialog_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("result");
        const QString lines =
            QStringLiteral(" 'Only one cell is selected.' 'Calculate for all cells?'");
        QTest::newRow("stop, Close")
            << (MB_OK | MB_ICONSTOP) << "alert Calculator stops: [Stop]" + lines + " Close*" << 0
            << IDOK;
        QTest::newRow("warns, OK/Cancel, second default")
            << (MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2)
            << "alert Calculator warns: [Warning]" + lines + " OK Cancel*" << 0 << IDOK;
        QTest::newRow("stop, Abort/Retry/Ignore, third default")
            << (MB_ABORTRETRYIGNORE | MB_ICONSTOP | MB_DEFBUTTON3)
            << "alert Calculator stops: [Stop]" + lines + " Abort Retry Ignore*" << 1 << IDRETRY;
        QTest::newRow("Yes/No/Cancel without icon asks")
            << MB_YESNOCANCEL << "dialog Calculator asks: [Question]" + lines + " Yes* No Cancel"
            << 2 << IDCANCEL;
        QTest::newRow("question, Yes/No, second default")
            << (MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
            << "dialog Calculator asks: [Question]" + lines + " Yes No*" << 0 << IDYES;
        QTest::newRow("informs, Retry/Cancel")
            << (MB_RETRYCANCEL | MB_ICONINFORMATION)
            << "dialog Calculator informs: [Information]" + lines + " Retry* Cancel" << 1
            << IDCANCEL;
        QTest::newRow("warns, Cancel/Try again/Continue")
            << (MB_CANCELTRYCONTINUE | MB_ICONEXCLAMATION)
            << "alert Calculator warns: [Warning]" + lines + " Cancel* Try again Continue" << 2
            << IDCONTINUE;
    }
    void messageDialog() {
        QFETCH(uint, type);
        QFETCH(QString, reading);
        QFETCH(int, press);
        QFETCH(int, result);
        TaMessageDialog dialog(kTwoLines, type, 0, TestFonts());
        dialog.setObjectName(QStringLiteral("dialog"));
        dialog.Initialize();
        TaButton* defaultButton = dialog.Button(dialog.DefaultIndex());
        defaultButton->setObjectName(QStringLiteral("default"));
        TaSetAccessibleNoticeHook(&Record);
        bool focused = false;
        const int answer = RunModal(dialog, [&] {
            QCOMPARE(Reading(&dialog), reading);
            QCOMPARE(Iface(&dialog)->text(QAccessible::Description), kTwoLines);
            focused = Iface(defaultButton)->state().focused;
            Press(dialog.Button(press));
        });
        QCOMPARE(answer, result);
        QVERIFY(focused);
        QStringList expected{Notice(QAccessible::DialogStart, "dialog")};
        if (reading.startsWith(QLatin1String("alert")))
            expected << Notice(QAccessible::Alert, "dialog");
        expected << Notice(QAccessible::Focus, "default");
        const qsizetype start = notices.indexOf(expected.first());
        QCOMPARE(notices.mid(start, expected.size()), expected);
        QCOMPARE(notices.last(), Notice(QAccessible::DialogEnd, "dialog"));
    }

    void letterKeys_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<bool>("russian");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("result");  // 0: the letter chooses nothing
        QTest::newRow("y") << MB_YESNOCANCEL << false << "y" << IDYES;
        QTest::newRow("N of Yes/No/Cancel") << MB_YESNOCANCEL << false << "N" << IDNO;
        QTest::newRow("c of Yes/No/Cancel") << MB_YESNOCANCEL << false << "c" << IDCANCEL;
        QTest::newRow("i of Abort/Retry/Ignore") << MB_ABORTRETRYIGNORE << false << "i" << IDIGNORE;
        QTest::newRow("t of Cancel/Try again/Continue")
            << MB_CANCELTRYCONTINUE << false << "t" << IDTRYAGAIN;
        QTest::newRow("c of Cancel and Continue: nothing")
            << MB_CANCELTRYCONTINUE << false << "c" << 0;
        QTest::newRow("o of OK/Cancel") << MB_OKCANCEL << false << "o" << IDOK;
        QTest::newRow("y without Yes: nothing") << MB_RETRYCANCEL << false << "y" << 0;
        QTest::newRow("Russian д") << MB_YESNOCANCEL << true << "д" << IDYES;
        QTest::newRow("Russian О") << MB_YESNOCANCEL << true << "О" << IDCANCEL;
        QTest::newRow("y under Russian captions: nothing") << MB_YESNOCANCEL << true << "y" << 0;
    }
    void letterKeys() {
        QFETCH(uint, type);
        QFETCH(bool, russian);
        QFETCH(QString, letter);
        QFETCH(int, result);
        Russian translator;
        if (russian) QCoreApplication::installTranslator(&translator);
        TaMessageDialog dialog(QStringLiteral("Text"), type, 0, TestFonts());
        bool stayed = false;
        const int answer = RunModal(dialog, [&] {
            QWidget* focused = QApplication::focusWidget();
            const auto key = Qt::Key(letter.toUpper().at(0).unicode());
            QTest::sendKeyEvent(QTest::Click, focused, key, letter, Qt::NoModifier);
            stayed = !dialog.Closing();
            if (stayed) QTest::keyClick(focused, Qt::Key_Escape);
        });
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(stayed, result == 0);
        QCOMPARE(answer, result == 0 ? IDCANCEL : result);
    }

    // The about box reads whole; changed texts, defaults and addresses are
    // announced and read anew; a link's press opens it as a click does.
    void aboutBox() {
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        QCOMPARE(
            Reading(&dialog),
            QStringLiteral("dialog About Calculator: [Logo] 'Calculator Tarvik F' 'Free version' "
                           "'01.02.004' <Support https://tarvik.example/support> "
                           "<Professional version https://tarvik.example/professional> "
                           "'\u00A9 Tarvik. All rights reserved.' Perfect*"));
        dialog.Version()->setObjectName(QStringLiteral("version"));
        dialog.Support()->setObjectName(QStringLiteral("support"));
        dialog.PerfectButton()->setObjectName(QStringLiteral("perfect"));
        TaSetAccessibleNoticeHook(&Record);
        dialog.Version()->SetText(QStringLiteral("Page 2 of 5"));
        dialog.PerfectButton()->SetDefaultButton(false);
        dialog.Support()->SetDefaultButton(true);
        dialog.Support()->SetTarget(QStringLiteral("https://tarvik.example/help"));
        QCOMPARE(notices, (QStringList{Notice(QAccessible::NameChanged, "version"),
                                       Notice(QAccessible::StateChanged, "perfect"),
                                       Notice(QAccessible::StateChanged, "support"),
                                       Notice(QAccessible::DescriptionChanged, "support")}));
        QVERIFY(Reading(&dialog).contains(
            QStringLiteral("'Page 2 of 5' <Support https://tarvik.example/help>")));
        QVERIFY(Iface(dialog.Support())->state().defaultButton);

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        Press(dialog.Professional());
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl(CCalcAboutDialog::ProfessionalAddress())});

        // Disabled, a button offers no press and ignores one.
        QSignalSpy commands(dialog.PerfectButton(), &TaButton::Command);
        dialog.PerfectButton()->setEnabled(false);
        QAccessibleInterface* perfect = Iface(dialog.PerfectButton());
        QVERIFY(perfect->state().disabled);
        QVERIFY(!perfect->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        Press(dialog.PerfectButton());
        QCOMPARE(commands.size(), 0);
    }

    void imageButton() {
        TaButtonBitmap button(150);
        button.setToolTip(QStringLiteral("Erase the memory"));
        button.SetDefault(true);
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QAccessibleInterface* iface = Iface(&button);
        QCOMPARE(iface->role(), QAccessible::PushButton);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Erase the memory"));
        QVERIFY(iface->state().defaultButton);
        Press(&button);
        QCOMPARE(clicks.size(), 1);
    }

    // A drop-down list is read with its label: on Linux Qt names it by its
    // value and links the label, elsewhere the label is its name.
    void preferencesControlsHaveNames() {
        CCalcPreferences dialog;
        QStringList names;
        for (int id : {1074, 1079, 1081, 1082, 1120, 1121, 1083, 1, 2, 1084}) {
            QAccessibleInterface* control = Iface(dialog.Control(id));
            const auto labels = control->relations(QAccessible::Label);
            names << (labels.isEmpty() ? control->text(QAccessible::Name)
                                       : labels.first().first->text(QAccessible::Name));
        }
        QCOMPARE(names, (QStringList{"Append power ^ with parenthese", "Notation",
                                     "Pop-up on new message if hidden", "Trigonometric units",
                                     "Memory free confirmation", "Clear confirmation",
                                     "Use SSE2 processor module", "OK", "Cancel", "Default"}));
        QCOMPARE(dialog.Control(1079)->accessibleName(), QStringLiteral("Notation"));
        QCOMPARE(dialog.Control(1082)->accessibleName(), QStringLiteral("Trigonometric units"));
    }
};

TOOLKIT_SUITE(TaAccessibleTest);
#include "TaAccessibleTest.moc"
