// What the accessibility bus reads of the toolkit: the message dialog's role,
// texts, buttons and answers, its letter keys, the about box and the
// preferences dialog, and the notices a screen reader hears.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QUrl>

#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcPreferences.h"
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

// "Role:Name" of each child, as a reader walks them.
QStringList Tree(QAccessibleInterface* parent) {
    QStringList rows;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        rows << QStringLiteral("%1:%2").arg(int(child->role())).arg(child->text(QAccessible::Name));
        if (parent->indexOfChild(child) != i) rows << QStringLiteral("index %1 lost").arg(i);
    }
    return rows;
}

QString Row(QAccessible::Role role, const QString& name) {
    return QStringLiteral("%1:%2").arg(int(role)).arg(name);
}

// The notices sent while installed: "event:object name".
QStringList notices;
void Record(QAccessibleEvent* event) {
    if (event->object() == nullptr) return;
    notices << QStringLiteral("%1:%2").arg(int(event->type())).arg(event->object()->objectName());
}
void Listen() { TaSetAccessibleNoticeHook(&Record); }

QString Notice(QAccessible::Event type, const QString& name) {
    return QStringLiteral("%1:%2").arg(int(type)).arg(name);
}

class Russian : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "Strings") != 0) return {};
        const QString text = QString::fromLatin1(source);
        if (text == QLatin1String("Yes")) return QStringLiteral("Да");
        if (text == QLatin1String("No")) return QStringLiteral("Нет");
        if (text == QLatin1String("Cancel")) return QStringLiteral("Отмена");
        return {};
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

}  // namespace

class TaAccessibleTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        TaDialog::SetAnimationsEnabled(false);
        TaSetCompositingOverride(1);
    }
    void cleanup() {
        TaDialog::SetAnimationsEnabled(true);
        TaSetCompositingOverride(-1);
        TaSetAccessibleNoticeHook(nullptr);
        notices.clear();
    }

    void messageDialogReads_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<int>("defaultIndex");
        const auto image = [](const char* n) { return Row(QAccessible::Graphic, n); };
        const auto button = [](const char* n) { return Row(QAccessible::PushButton, n); };
        const QString line = Row(QAccessible::StaticText, "Save changes?");
        QTest::newRow("stop, Close")
            << (MB_OK | MB_ICONSTOP) << int(QAccessible::AlertMessage) << "Calculator stops"
            << QStringList{image("Stop"), line, button("Close")} << 0;
        QTest::newRow("warns, OK/Cancel, second default")
            << (MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) << int(QAccessible::AlertMessage)
            << "Calculator warns"
            << QStringList{image("Warning"), line, button("OK"), button("Cancel")} << 1;
        QTest::newRow("stop, Abort/Retry/Ignore, third default")
            << (MB_ABORTRETRYIGNORE | MB_ICONSTOP | MB_DEFBUTTON3) << int(QAccessible::AlertMessage)
            << "Calculator stops"
            << QStringList{image("Stop"), line, button("Abort"), button("Retry"), button("Ignore")}
            << 2;
        QTest::newRow("Yes/No/Cancel without icon asks")
            << MB_YESNOCANCEL << int(QAccessible::Dialog) << "Calculator asks"
            << QStringList{image("Question"), line, button("Yes"), button("No"), button("Cancel")}
            << 0;
        QTest::newRow("question, Yes/No, second default")
            << (MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) << int(QAccessible::Dialog)
            << "Calculator asks"
            << QStringList{image("Question"), line, button("Yes"), button("No")} << 1;
        QTest::newRow("informs, Retry/Cancel")
            << (MB_RETRYCANCEL | MB_ICONINFORMATION) << int(QAccessible::Dialog)
            << "Calculator informs"
            << QStringList{image("Information"), line, button("Retry"), button("Cancel")} << 0;
        QTest::newRow("warns, Cancel/Try again/Continue")
            << (MB_CANCELTRYCONTINUE | MB_ICONEXCLAMATION) << int(QAccessible::AlertMessage)
            << "Calculator warns"
            << QStringList{image("Warning"), line, button("Cancel"), button("Try again"),
                           button("Continue")}
            << 0;
    }
    void messageDialogReads() {
        QFETCH(uint, type);
        QFETCH(int, role);
        QFETCH(QString, caption);
        QFETCH(QStringList, tree);
        QFETCH(int, defaultIndex);
        TaMessageDialog dialog(QStringLiteral("Save changes?"), type, 0, TestFonts());
        dialog.setObjectName(QStringLiteral("dialog"));
        dialog.Initialize();
        dialog.Button(defaultIndex)->setObjectName(QStringLiteral("default"));
        Listen();
        int focusedIndex = -1;
        QAccessibleInterface* iface = nullptr;
        const int result = RunModal(dialog, [&] {
            iface = Iface(&dialog);
            QCOMPARE(int(iface->role()), role);
            QCOMPARE(iface->text(QAccessible::Name), caption);
            QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Save changes?"));
            QCOMPARE(Tree(iface), tree);
            for (int i = 0; i < dialog.ButtonCount(); ++i) {
                QAccessibleInterface* button = Iface(dialog.Button(i));
                QCOMPARE(button->state().defaultButton, i == defaultIndex);
                QCOMPARE(button->state().focused, i == defaultIndex);
                QCOMPARE(button->actionInterface()->actionNames().first(),
                         QAccessibleActionInterface::pressAction());
                if (i == defaultIndex) focusedIndex = i;
            }
            // The image lies where it is drawn.
            const TaImage& image = dialog.KindImage();
            QCOMPARE(iface->child(0)->rect(), QRect(dialog.mapToGlobal(image.Position()),
                                                    QSize(image.Width(), image.Height())));
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
        });
        QCOMPARE(result, IDCANCEL);
        QCOMPARE(focusedIndex, defaultIndex);
        // Announced as it opened, the focus on the default button, and as it closed.
        QStringList expected{Notice(QAccessible::DialogStart, "dialog")};
        if (role == int(QAccessible::AlertMessage))
            expected << Notice(QAccessible::Alert, "dialog");
        expected << Notice(QAccessible::Focus, "default");
        const qsizetype start = notices.indexOf(expected.first());
        QVERIFY2(start >= 0, qPrintable(notices.join(QLatin1Char(' '))));
        QCOMPARE(notices.mid(start, expected.size()), expected);
        QVERIFY(notices.contains(Notice(QAccessible::DialogEnd, "dialog")));
    }

    void pressChoosesAnswer_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("Close") << MB_OK << 0 << IDOK;
        QTest::newRow("OK") << MB_OKCANCEL << 0 << IDOK;
        QTest::newRow("OK/Cancel: Cancel") << MB_OKCANCEL << 1 << IDCANCEL;
        QTest::newRow("Abort") << MB_ABORTRETRYIGNORE << 0 << IDABORT;
        QTest::newRow("Retry of three") << MB_ABORTRETRYIGNORE << 1 << IDRETRY;
        QTest::newRow("Ignore") << MB_ABORTRETRYIGNORE << 2 << IDIGNORE;
        QTest::newRow("Yes") << MB_YESNOCANCEL << 0 << IDYES;
        QTest::newRow("No of three") << MB_YESNOCANCEL << 1 << IDNO;
        QTest::newRow("Cancel of three") << MB_YESNOCANCEL << 2 << IDCANCEL;
        QTest::newRow("No, Yes default") << MB_YESNO << 1 << IDNO;
        QTest::newRow("Retry of two") << MB_RETRYCANCEL << 0 << IDRETRY;
        QTest::newRow("Cancel of Retry/Cancel") << MB_RETRYCANCEL << 1 << IDCANCEL;
        QTest::newRow("Cancel, Try again, Continue: Cancel")
            << MB_CANCELTRYCONTINUE << 0 << IDCANCEL;
        QTest::newRow("Try again") << MB_CANCELTRYCONTINUE << 1 << IDTRYAGAIN;
        QTest::newRow("Continue") << MB_CANCELTRYCONTINUE << 2 << IDCONTINUE;
    }
    void pressChoosesAnswer() {
        QFETCH(uint, type);
        QFETCH(int, button);
        QFETCH(int, result);
        TaMessageDialog dialog(QStringLiteral("Text"), type, 0, TestFonts());
        const int answer = RunModal(dialog, [&] {
            Iface(dialog.Button(button))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        });
        QCOMPARE(answer, result);
    }

    void letterKeys_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<bool>("russian");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("result");  // 0: the letter chooses nothing
        QTest::newRow("Y") << MB_YESNOCANCEL << false << "y" << IDYES;
        QTest::newRow("N, capital") << MB_YESNOCANCEL << false << "N" << IDNO;
        QTest::newRow("C of Yes/No/Cancel") << MB_YESNOCANCEL << false << "c" << IDCANCEL;
        QTest::newRow("A") << MB_ABORTRETRYIGNORE << false << "a" << IDABORT;
        QTest::newRow("R of three") << MB_ABORTRETRYIGNORE << false << "r" << IDRETRY;
        QTest::newRow("I") << MB_ABORTRETRYIGNORE << false << "i" << IDIGNORE;
        QTest::newRow("T") << MB_CANCELTRYCONTINUE << false << "t" << IDTRYAGAIN;
        QTest::newRow("C of Cancel and Continue: nothing")
            << MB_CANCELTRYCONTINUE << false << "c" << 0;
        QTest::newRow("O") << MB_OKCANCEL << false << "o" << IDOK;
        QTest::newRow("C of Close") << MB_OK << false << "c" << IDOK;
        QTest::newRow("Y without Yes: nothing") << MB_RETRYCANCEL << false << "y" << 0;
        QTest::newRow("a digit: nothing") << MB_YESNO << false << "1" << 0;
        QTest::newRow("Russian Д") << MB_YESNOCANCEL << true << "д" << IDYES;
        QTest::newRow("Russian Н") << MB_YESNOCANCEL << true << "Н" << IDNO;
        QTest::newRow("Russian О") << MB_YESNOCANCEL << true << "о" << IDCANCEL;
        QTest::newRow("Y under Russian captions: nothing") << MB_YESNOCANCEL << true << "y" << 0;
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
            QTest::sendKeyEvent(QTest::Press, focused, key, letter, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, focused, key, letter, Qt::NoModifier);
            stayed = dialog.isVisible() && !dialog.Closing();
            if (stayed) QTest::keyClick(focused, Qt::Key_Escape);
        });
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(stayed, result == 0);
        QCOMPARE(answer, result == 0 ? IDCANCEL : result);
    }

    void aboutBoxReads() {
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        QAccessibleInterface* iface = Iface(&dialog);
        QCOMPARE(int(iface->role()), int(QAccessible::Dialog));
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("About Calculator"));
        QCOMPARE(Tree(iface),
                 (QStringList{Row(QAccessible::Graphic, "Logo"),
                              Row(QAccessible::StaticText, "Calculator Tarvik F"),
                              Row(QAccessible::StaticText, "Free version"),
                              Row(QAccessible::StaticText, "01.02.004"),
                              Row(QAccessible::Link, "Support"),
                              Row(QAccessible::Link, "Professional version"),
                              Row(QAccessible::StaticText, "\u00A9 Tarvik. All rights reserved."),
                              Row(QAccessible::PushButton, "Perfect")}));
        QCOMPARE(Iface(dialog.Support())->text(QAccessible::Description),
                 QStringLiteral("https://tarvik.example/support"));
        QCOMPARE(Iface(dialog.Professional())->text(QAccessible::Description),
                 QStringLiteral("https://tarvik.example/professional"));
        QVERIFY(Iface(dialog.PerfectButton())->state().defaultButton);
        QVERIFY(!Iface(dialog.Support())->state().defaultButton);

        // Pressing a link opens it as a click does.
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        Iface(dialog.Professional())
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl(CCalcAboutDialog::ProfessionalAddress())});
    }

    // A changed text, a moved default and a new address are announced and read anew.
    void changesAreAnnounced() {
        CCalcAboutDialog dialog(TestFonts());
        dialog.Initialize();
        dialog.Version()->setObjectName(QStringLiteral("version"));
        dialog.Support()->setObjectName(QStringLiteral("support"));
        dialog.PerfectButton()->setObjectName(QStringLiteral("perfect"));
        Listen();
        dialog.Version()->SetText(QStringLiteral("Page 2 of 5"));
        dialog.PerfectButton()->SetDefaultButton(false);
        dialog.Support()->SetDefaultButton(true);
        dialog.Support()->SetTarget(QStringLiteral("https://tarvik.example/help"));
        QCOMPARE(notices, (QStringList{Notice(QAccessible::NameChanged, "version"),
                                       Notice(QAccessible::StateChanged, "perfect"),
                                       Notice(QAccessible::StateChanged, "support"),
                                       Notice(QAccessible::DescriptionChanged, "support")}));
        QCOMPARE(Iface(dialog.Version())->text(QAccessible::Name), QStringLiteral("Page 2 of 5"));
        QVERIFY(Iface(dialog.Support())->state().defaultButton);
        QCOMPARE(Iface(dialog.Support())->text(QAccessible::Description),
                 QStringLiteral("https://tarvik.example/help"));
        QAccessibleInterface* perfect = Iface(dialog.PerfectButton());
        dialog.PerfectButton()->setEnabled(false);
        QVERIFY(perfect->state().disabled);
        QVERIFY(!perfect->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        QSignalSpy commands(dialog.PerfectButton(), &TaButton::Command);
        perfect->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(commands.size(), 0);  // a disabled button is not pressed
    }

    void imageButtonReads() {
        TaButtonBitmap button(150);
        button.setToolTip(QStringLiteral("Erase the memory"));
        button.SetDefault(true);
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QAccessibleInterface* iface = Iface(&button);
        QCOMPARE(int(iface->role()), int(QAccessible::PushButton));
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Erase the memory"));
        QVERIFY(iface->state().defaultButton);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.size(), 1);
        button.setAccessibleName(QStringLiteral("Free memory"));
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Free memory"));
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
