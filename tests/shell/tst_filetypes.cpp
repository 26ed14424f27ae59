// File types on the desktop (registration into temporary folders, the
// Windows key table) and the "Unregister" switch.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "shell/CCalcApp.h"
#include "shell/FileTypes.h"
#include "shell/core/MessageBox.h"
#include "tests/support/ScriptedAnswers.h"
#include "tests/support/TempSettings.h"

using namespace FileTypes;

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs a desktop tool with the desktop's folders set to the test's.
QString Run(const DesktopLocations& at, const QString& tool, const QStringList& arguments,
            int* exitCode = nullptr) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), at.dataHome);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), at.configHome);
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), at.dataHome + QStringLiteral("/none"));
    environment.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(20000);
    if (exitCode) *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAll()).trimmed();
}

}  // namespace

class TestFileTypes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const char* tool : {"desktop-file-validate", "update-mime-database",
                                 "update-desktop-database", "xdg-mime"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
    }

    void execProgram_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("word");
        QTest::newRow("plain") << "/usr/bin/numera"
                               << "/usr/bin/numera";
        QTest::newRow("blank") << "/opt/my apps/numera"
                               << "\"/opt/my apps/numera\"";
        QTest::newRow("dollar, quote, backslash") << "/x/$a\"b\\c/numera"
                                                  << "\"/x/\\\\$a\\\\\"b\\\\\\\\c/numera\"";
        QTest::newRow("percent") << "/x/100%/numera"
                                 << "/x/100%%/numera";
    }
    void execProgram() {
        QFETCH(QString, path);
        QFETCH(QString, word);
        QCOMPARE(ExecProgram(path), word);
    }

    void mimeApps_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("otherDefault");
        const QString ours = QStringLiteral("application/x-tarvik-memory=numera.desktop;");
        QTest::newRow("no file") << ""
                                 << "[Default Applications]\n" + ours + "\n"
                                 << "";
        QTest::newRow("other groups kept, group added")
            << "[Added Associations]\ntext/plain=a.desktop;\n"
            << "[Added Associations]\ntext/plain=a.desktop;\n\n[Default Applications]\n" + ours +
                   "\n"
            << "";
        QTest::newRow("key added at the group's end, before the next group")
            << "[Default Applications]\ntext/plain=a.desktop;\n\n[X]\nk=v\n"
            << "[Default Applications]\ntext/plain=a.desktop;\n" + ours + "\n\n[X]\nk=v\n"
            << "";
        QTest::newRow("key replaced")
            << "[Default Applications]\napplication/x-tarvik-memory=b.desktop;c.desktop;\n"
            << "[Default Applications]\n" + ours + "\n"
            << "b.desktop";
    }
    void mimeApps() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, otherDefault);
        QCOMPARE(DefaultApplication(before, MemoryMimeType), otherDefault);
        QCOMPARE(MayTakeDefault(otherDefault, DesktopId), otherDefault.isEmpty());
        const QString updated = WithDefaultApplication(before, MemoryMimeType, DesktopId);
        QCOMPARE(updated, after);
        QCOMPARE(DefaultApplication(updated, MemoryMimeType), DesktopId);
    }

    void templatesFolder_data() {
        QTest::addColumn<QString>("userDirs");
        QTest::addColumn<QString>("folder");
        QTest::newRow("home relative") << "# c\nXDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n"
                                       << "/home/u/Vorlagen";
        QTest::newRow("absolute") << "XDG_TEMPLATES_DIR=\"/srv/t\""
                                  << "/srv/t";
        QTest::newRow("turned off") << "XDG_TEMPLATES_DIR=\"$HOME/\""
                                    << "";
        QTest::newRow("not named") << "XDG_DESKTOP_DIR=\"$HOME/Desktop\""
                                   << "";
    }
    void templatesFolder() {
        QFETCH(QString, userDirs);
        QFETCH(QString, folder);
        QCOMPARE(TemplatesFolder(userDirs, QStringLiteral("/home/u")), folder);
    }

    void windowsKeys_data() {
        QTest::addColumn<bool>("take");
        QTest::newRow(".tvc free or ours") << true;
        QTest::newRow(".tvc taken by another program") << false;
    }
    void windowsKeys() {
        QFETCH(bool, take);
        const QString p = QStringLiteral("C:\\PROGRA~1\\Numera\\NUMERA.EXE");
        QStringList expected = {
            ".tvc||Tarvik.Calculator.Calculation",
            ".tvc/ShellNew|NullFile|",
            "Tarvik.Calculator.Calculation||Tarvik calculation file",
            "Tarvik.Calculator.Calculation/DefaultIcon||" + p + ",1",
            "Tarvik.Calculator.Calculation/shell/open/command||" + p + " \"%1\"",
            "Tarvik.Calculator.Calculation/shell/print/command||" + p + " /p \"%1\"",
            "Tarvik.Calculator.Calculation/shell/printto/command||" + p +
                " /pt \"%1\" \"%2\" \"%3\" \"%4\"",
            ".tvm||Tarvik.Calculator.Memory",
            "Tarvik.Calculator.Memory||Tarvik calculator memory file",
            "Tarvik.Calculator.Memory/DefaultIcon||" + p + ",1",
            ".tvm/ShellNew|NullFile|",
            "Tarvik.Calculator.Memory/shell/open/command||" + p + " \"%1\"",
            "Tarvik.Calculator.Memory/shell/print/command||" + p + " /p \"%1\"",
            "Tarvik.Calculator.Memory/shell/printto/command||" + p +
                " /pt \"%1\" \"%2\" \"%3\" \"%4\"",
        };
        if (!take) expected = expected.mid(2);
        QStringList rows;
        for (const ClassValue& row : WindowsClassValues(p, take))
            rows << row.key + '|' + row.name + '|' + row.value;
        for (int i = 0; i < qMin(rows.size(), expected.size()); ++i) QCOMPARE(rows[i], expected[i]);
        QCOMPARE(rows.size(), expected.size());

        QVERIFY(MayTakeExtension(QString()));
        QVERIFY(MayTakeExtension(QStringLiteral("Tarvik.Calculator.Calculation")));
        QVERIFY(!MayTakeExtension(QStringLiteral("txtfile")));
    }

    // One start into empty folders, a second one that finds everything
    // current, and one after another program took the calculation type.
    void registration() {
        QTemporaryDir temp;
        const DesktopLocations at{temp.path() + "/data", temp.path() + "/config",
                                  temp.path() + "/Templates"};
        QDir().mkpath(at.templates);
        const QString program = QCoreApplication::applicationFilePath();

        const QStringList first = RegisterDesktopFileTypes(at, program);
        const QString entry = at.dataHome + "/applications/numera.desktop";
        QVERIFY(first.contains(entry));
        QVERIFY(first.contains(at.templates + "/Calculation file.tvc"));
        QCOMPARE(QFileInfo(at.templates + "/Calculation file.tvc").size(), 0);
        QVERIFY(QFileInfo(at.dataHome + "/icons/hicolor/48x48/mimetypes/"
                                        "application-x-tarvik-memory.png")
                    .size() > 0);
        QVERIFY(QFileInfo(at.dataHome + "/icons/hicolor/scalable/apps/numera.svg").size() > 0);

        int code = -1;
        QCOMPARE(Run(at, "desktop-file-validate", {entry}, &code), QString());
        QCOMPARE(code, 0);
        const QString text = QString::fromUtf8(Read(entry));
        QVERIFY(text.contains("\nExec=" + ExecProgram(program) + " %f\n"));
        QVERIFY(text.contains("\nExec=" + ExecProgram(program) + " /p %f\n"));
        QVERIFY(QFileInfo(program).isExecutable());

        const QByteArray globs = Read(at.dataHome + "/mime/globs2");
        QVERIFY2(globs.contains("50:application/x-tarvik-calculation:*.tvc\n"), globs);
        QVERIFY2(globs.contains("50:application/x-tarvik-memory:*.tvm\n"), globs);
        for (const QString& type : {CalculationMimeType, MemoryMimeType})
            QCOMPARE(Run(at, "xdg-mime", {"query", "default", type}), DesktopId);

        // Nothing is rewritten when it is current.
        QCOMPARE(RegisterDesktopFileTypes(at, program), QStringList());

        // Another program took the calculation type: it keeps it, the
        // memory type comes back to us.
        const QString mimeApps = at.configHome + "/mimeapps.list";
        Write(at.dataHome + "/applications/other.desktop",
              "[Desktop Entry]\nType=Application\nName=Other\nExec=true %f\n"
              "MimeType=application/x-tarvik-calculation;\n");
        Write(mimeApps,
              "[Default Applications]\napplication/x-tarvik-calculation=other.desktop;\n"
              "application/x-tarvik-memory=other.desktop;\n");
        QCOMPARE(RegisterDesktopFileTypes(at, program), QStringList{mimeApps});
        QCOMPARE(QString::fromUtf8(Read(mimeApps)),
                 QString("[Default Applications]\napplication/x-tarvik-calculation=other.desktop;\n"
                         "application/x-tarvik-memory=numera.desktop;\n"));
        QCOMPARE(Run(at, "xdg-mime", {"query", "default", CalculationMimeType}),
                 QString("other.desktop"));

        // A changed program path rewrites the entry; a template the user
        // filled is never replaced.
        Write(at.templates + "/Calculation file.tvc", "1+1;");
        QCOMPARE(RegisterDesktopFileTypes(at, "/opt/other/numera"), QStringList{entry});
        QCOMPARE(Read(at.templates + "/Calculation file.tvc"), QByteArray("1+1;"));
    }

    void unregister_data() {
        QTest::addColumn<QByteArray>("settings");  // empty: no settings file
        QTest::addColumn<bool>("neighbour");       // another file in the Tarvik folder
        QTest::addColumn<QString>("message");
        const QString done = QStringLiteral(
            "System registry entries have been removed and the INI file (if any) was deleted.");
        QTest::newRow("settings file")
            << QByteArray("[Recent%20File%20List]\nFile1=/tmp/a.tvc\n") << false << done;
        QTest::newRow("no settings file") << QByteArray() << false << done;
        QTest::newRow("folder shared") << QByteArray("[Preferences]\nNotation=1\n") << true << done;
    }
    void unregister() {
        QFETCH(QByteArray, settings);
        QFETCH(bool, neighbour);
        QFETCH(QString, message);
        TempSettings temp;
        const QString folder = temp.Directory() + "/Tarvik";
        if (!settings.isEmpty()) Write(temp.FilePath(), settings);
        if (neighbour) Write(folder + "/Other.conf", "[x]\n");

        ScriptedAnswers answers({IDOK});
        const MessageBoxHandler previous = SetMessageBoxHandler(answers.Function());
        int code = -1;
        {
            CCalcApp app;
            code = app.Run({QStringLiteral("-Unregserver")});
        }
        SetMessageBoxHandler(previous);

        QCOMPARE(QString::fromUtf8(Read(temp.FilePath())), QString());
        QCOMPARE(code, 0);
        QCOMPARE(answers.asked.size(), 1);
        QCOMPARE(answers.asked[0].text, message);
        QCOMPARE(answers.asked[0].type, 0u);
        QCOMPARE(answers.asked[0].help, 61707u);
        QVERIFY(!QFileInfo::exists(temp.FilePath()));
        QCOMPARE(QFileInfo::exists(folder), neighbour);
    }

    void unregisterFails() {
        TempSettings temp;
        // A folder in the file's place cannot be removed as a file.
        QDir().mkpath(temp.FilePath() + "/inside");
        ScriptedAnswers answers({IDOK});
        const MessageBoxHandler previous = SetMessageBoxHandler(answers.Function());
        int code = -1;
        {
            CCalcApp app;
            code = app.Run({QStringLiteral("/Unregister")});
        }
        SetMessageBoxHandler(previous);
        QCOMPARE(code, 0);
        QCOMPARE(answers.Texts(),
                 QStringList{"Not all of the system registry entries (or INI file) were removed."});
        QCOMPARE(answers.asked[0].help, 61708u);
    }
};

QTEST_MAIN(TestFileTypes)
#include "tst_filetypes.moc"
