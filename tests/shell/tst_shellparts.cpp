// Shell logic without windows: message tables, preferences, placement,
// recent files, titles, the command line.
#include <sys/stat.h>

#include <QFile>
#include <QKeySequence>
#include <QSet>
#include <QTest>
#include <climits>

#include "document/EditorFont.h"
#include "engine/Preferences.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "panels/KeypadTable.h"
#include "shell/CommandLine.h"
#include "shell/CommandTable.h"
#include "shell/FrameText.h"
#include "shell/Placement.h"
#include "shell/PreferencesStore.h"
#include "shell/RecentFileList.h"
#include "shell/core/CommandIds.h"
#include "shell/core/MessageBox.h"
#include "shell/core/SettingsStore.h"
#include "shell/core/StringIds.h"
#include "tests/document/ScriptedUi.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaMessageDialog.h"

Q_DECLARE_METATYPE(FrameRect)

namespace {

void WriteConf(const TempSettings& temp, const QByteArray& content) {
    QDir().mkpath(QFileInfo(temp.FilePath()).path());
    QFile file(temp.FilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadConf(const TempSettings& temp) {
    QFile file(temp.FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Captions(const QVector<TaMessageDialog::ButtonEntry>& buttons) {
    QStringList captions;
    for (const auto& b : buttons) captions << LoadString(b.captionId);
    return captions;
}

const CommandEntry* EntryOf(int id) {
    for (const CommandEntry& entry : CommandTable())
        if (entry.id == id) return &entry;
    return nullptr;
}

QList<int> Results(const QVector<TaMessageDialog::ButtonEntry>& buttons) {
    QList<int> results;
    for (const auto& b : buttons) results << b.result;
    return results;
}

}  // namespace

class TestShellParts : public QObject {
    Q_OBJECT

private slots:
    // The application's faces are handed over unloaded; the first to ask
    // for them loads them, once, and taking them back drops a load not done.
    void handedFacesLoadWhenFirstAsked() {
        TaFonts fonts;
        int loads = 0;
        SetApplicationFonts(&fonts, [&] {
            ++loads;
            fonts.Load();
        });
        QCOMPARE(loads, 0);
        QCOMPARE(&ApplicationFonts(), &fonts);
        QCOMPARE(loads, 1);
        QCOMPARE(fonts.Family(TaFace::Bold), QStringLiteral("Open Sans"));
        ApplicationFonts();
        QCOMPARE(loads, 1);
        TaFonts other;
        SetApplicationFonts(&other, [&] { ++loads; });
        SetApplicationFonts(nullptr);
        QVERIFY(&ApplicationFonts() != &other);
        QCOMPARE(loads, 1);
    }
    // ---- Message box tables ----
    void messageKinds_data() {
        QTest::addColumn<unsigned>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<int>("defaultButton");
        QTest::newRow("plain OK informs")
            << 0x0u << "Calculator informs" << QStringList{"Close"} << QList<int>{IDOK} << 0;
        QTest::newRow("stop") << 0x10u << "Calculator stops" << QStringList{"Close"}
                              << QList<int>{IDOK} << 0;
        QTest::newRow("exclamation")
            << 0x30u << "Calculator warns" << QStringList{"Close"} << QList<int>{IDOK} << 0;
        QTest::newRow("information")
            << 0x40u << "Calculator informs" << QStringList{"Close"} << QList<int>{IDOK} << 0;
        QTest::newRow("OK Cancel") << 0x31u << "Calculator warns" << QStringList{"OK", "Cancel"}
                                   << QList<int>{IDOK, IDCANCEL} << 0;
        QTest::newRow("Abort Retry Ignore")
            << 0x12u << "Calculator stops" << QStringList{"Abort", "Retry", "Ignore"}
            << QList<int>{IDABORT, IDRETRY, IDIGNORE} << 0;
        QTest::newRow("Yes No Cancel without icon asks")
            << 0x3u << "Calculator asks" << QStringList{"Yes", "No", "Cancel"}
            << QList<int>{IDYES, IDNO, IDCANCEL} << 0;
        QTest::newRow("Yes No without icon asks")
            << 0x4u << "Calculator asks" << QStringList{"Yes", "No"} << QList<int>{IDYES, IDNO}
            << 0;
        QTest::newRow("0x124: No is the default")
            << 0x124u << "Calculator asks" << QStringList{"Yes", "No"} << QList<int>{IDYES, IDNO}
            << 1;
        QTest::newRow("Yes No with information asks")
            << 0x44u << "Calculator asks" << QStringList{"Yes", "No"} << QList<int>{IDYES, IDNO}
            << 0;
        QTest::newRow("Yes No warns stays warns")
            << 0x34u << "Calculator warns" << QStringList{"Yes", "No"} << QList<int>{IDYES, IDNO}
            << 0;
        QTest::newRow("Retry Cancel, third default out of range")
            << 0x205u << "Calculator informs" << QStringList{"Retry", "Cancel"}
            << QList<int>{IDRETRY, IDCANCEL} << 0;
        QTest::newRow("Cancel Try again Continue")
            << 0x206u << "Calculator informs" << QStringList{"Cancel", "Try again", "Continue"}
            << QList<int>{IDCANCEL, IDTRYAGAIN, IDCONTINUE} << 2;
        QTest::newRow("unknown buttons")
            << 0x7u << "Calculator informs" << QStringList{"Close"} << QList<int>{IDOK} << 0;
    }
    void messageKinds() {
        QFETCH(unsigned, type);
        QFETCH(QString, caption);
        QFETCH(QStringList, buttons);
        QFETCH(QList<int>, results);
        QFETCH(int, defaultButton);
        QCOMPARE(LoadString(TaMessageDialog::CaptionIdOf(TaMessageDialog::KindOf(type))), caption);
        QCOMPARE(Captions(TaMessageDialog::ButtonsOf(type)), buttons);
        QCOMPARE(Results(TaMessageDialog::ButtonsOf(type)), results);
        QCOMPARE(TaMessageDialog::DefaultButtonOf(type), defaultButton);
    }
    void messageLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("one line") << "Erase all the memory?"
                                  << "Erase all the memory?"
                                  << "";
        QTest::newRow("two lines") << "Only one cell is selected.\nCalculate for all cells?"
                                   << "Only one cell is selected."
                                   << "Calculate for all cells?";
        QTest::newRow("a third line is dropped") << "a\nb\nc"
                                                 << "a"
                                                 << "b";
    }
    void messageLines() {
        QFETCH(QString, text);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const auto lines = TaMessageDialog::SplitLines(text);
        QCOMPARE(lines.first, first);
        QCOMPARE(lines.second, second);
    }
    void messageHelpId() {
        QCOMPARE(TaMessageDialog::HelpIdFor(61699), 0x10000u + 61699u);
        QCOMPARE(TaMessageDialog::HelpIdFor(0), 128u);
    }
    void answersValues() {
        QCOMPARE(QList<int>({IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN,
                             IDCONTINUE}),
                 QList<int>({1, 2, 3, 4, 5, 6, 7, 10, 11}));
    }

    // ---- Preferences ----
    void preferencesDefaultsWithoutSettings() {
        TempSettings temp;
        Preferences = PreferencesValues{9, 9, 9, 9, 9, 9, 9, 9};
        auto settings = OpenSettingsStore();
        LoadPreferences(*settings);
        QCOMPARE(Preferences.AppendPower, 1u);
        QCOMPARE(Preferences.Notation, 0u);
        QCOMPARE(Preferences.LogPopup, 1u);
        QCOMPARE(Preferences.TrigonometricUnits, 0u);
        QCOMPARE(Preferences.UseSSE2, 0u);
        QCOMPARE(Preferences.FreeConfirmation, 0u);
        QCOMPARE(Preferences.ClearConfirmation, 0u);
        QCOMPARE(Preferences.ResultDigits, 0u);  // "%.19g"
        QVERIFY(!SSE2Available);                 // no such switch outside the Windows runtime
    }
    void preferencesReadRules_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("field");
        QTest::addColumn<uint>("value");
        QTest::newRow("Notation 1") << QByteArray("Notation=1") << "Notation" << 1u;
        QTest::newRow("Notation 2 reads as West") << QByteArray("Notation=2") << "Notation" << 0u;
        QTest::newRow("units 2") << QByteArray("TrigonometricUnits=2") << "TrigonometricUnits"
                                 << 2u;
        QTest::newRow("units 3 reads as radians")
            << QByteArray("TrigonometricUnits=3") << "TrigonometricUnits" << 0u;
        QTest::newRow("units 0xFFFFFFFF reads as radians")
            << QByteArray("TrigonometricUnits=4294967295") << "TrigonometricUnits" << 0u;
        QTest::newRow("units -1 is 0xFFFFFFFF: radians")
            << QByteArray("TrigonometricUnits=-1") << "TrigonometricUnits" << 0u;
        QTest::newRow("AppendPower -1 keeps its bits")
            << QByteArray("AppendPower=-1") << "AppendPower" << 0xFFFFFFFFu;
        QTest::newRow("ClearConfirmation as a string reads 0")
            << QByteArray("ClearConfirmation=yes") << "ClearConfirmation" << 0u;
        QTest::newRow("ClearConfirmation 1")
            << QByteArray("ClearConfirmation=1") << "ClearConfirmation" << 1u;
        QTest::newRow("AppendPower off") << QByteArray("AppendPower=0") << "AppendPower" << 0u;
        QTest::newRow("AppendPower as text: default 1")
            << QByteArray("AppendPower=on") << "AppendPower" << 1u;
        QTest::newRow("LogPopup beyond 32 bits: default 1")
            << QByteArray("LogPopup=4294967296") << "LogPopup" << 1u;
        QTest::newRow("LogPopup any nonzero value") << QByteArray("LogPopup=7") << "LogPopup" << 7u;
        QTest::newRow("UseSSE2 kept though unavailable")
            << QByteArray("UseSSE2=1") << "UseSSE2" << 1u;
        QTest::newRow("FreeConfirmation largest value")
            << QByteArray("FreeConfirmation=4294967295") << "FreeConfirmation" << 4294967295u;
        QTest::newRow("a byte block is another type")
            << QByteArray("FreeConfirmation=@ByteArray(1)") << "FreeConfirmation" << 0u;
        QTest::newRow("ResultDigits Shortest")
            << QByteArray("ResultDigits=1") << "ResultDigits" << 1u;
        QTest::newRow("ResultDigits 17 significant")
            << QByteArray("ResultDigits=117") << "ResultDigits" << 117u;
        QTest::newRow("ResultDigits 15 decimals")
            << QByteArray("ResultDigits=215") << "ResultDigits" << 215u;
        QTest::newRow("ResultDigits 18 significant reads as Exact")
            << QByteArray("ResultDigits=118") << "ResultDigits" << 0u;
        QTest::newRow("ResultDigits between the ranges reads as Exact")
            << QByteArray("ResultDigits=2") << "ResultDigits" << 0u;
    }
    void preferencesReadRules() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, field);
        QFETCH(uint, value);
        TempSettings temp;
        WriteConf(temp, "[Preferences]\n" + stored + "\n");
        auto settings = OpenSettingsStore();
        LoadPreferences(*settings);
        const QHash<QString, uint32_t> values{
            {"AppendPower", Preferences.AppendPower},
            {"Notation", Preferences.Notation},
            {"LogPopup", Preferences.LogPopup},
            {"TrigonometricUnits", Preferences.TrigonometricUnits},
            {"UseSSE2", Preferences.UseSSE2},
            {"FreeConfirmation", Preferences.FreeConfirmation},
            {"ClearConfirmation", Preferences.ClearConfirmation},
            {"ResultDigits", Preferences.ResultDigits}};
        QCOMPARE(values.value(field), value);
        // The others keep their defaults.
        const PreferencesValues d;
        const QHash<QString, uint32_t> defaults{{"AppendPower", d.AppendPower},
                                                {"Notation", d.Notation},
                                                {"LogPopup", d.LogPopup},
                                                {"TrigonometricUnits", d.TrigonometricUnits},
                                                {"UseSSE2", d.UseSSE2},
                                                {"FreeConfirmation", d.FreeConfirmation},
                                                {"ClearConfirmation", d.ClearConfirmation},
                                                {"ResultDigits", d.ResultDigits}};
        for (auto it = defaults.begin(); it != defaults.end(); ++it)
            if (it.key() != field) QCOMPARE(values.value(it.key()), it.value());
    }
    // ---- One rule for stored integers and texts ----
    void profileInt_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("value");
        QTest::newRow("\"-20\": written signed") << QVariant("-20") << true << -20;
        QTest::newRow("\"4294967295\": DWORD bits") << QVariant("4294967295") << true << -1;
        QTest::newRow("\"2147483648\": DWORD bits") << QVariant("2147483648") << true << INT_MIN;
        QTest::newRow("\"007\"") << QVariant("007") << true << 7;
        QTest::newRow("\"\"") << QVariant("") << false << 0;
        QTest::newRow("\"12abc\"") << QVariant("12abc") << false << 0;
        QTest::newRow("\" 7\": no blanks") << QVariant(" 7") << false << 0;
        QTest::newRow("\"+7\"") << QVariant("+7") << false << 0;
        QTest::newRow("\"-\"") << QVariant("-") << false << 0;
        QTest::newRow("\"4294967296\": beyond 32 bits") << QVariant("4294967296") << false << 0;
        QTest::newRow("\"-2147483649\"") << QVariant("-2147483649") << false << 0;
        QTest::newRow("int -1") << QVariant(int(-1)) << true << -1;
        QTest::newRow("uint 0xFFFFFFFF") << QVariant(uint(0xFFFFFFFFu)) << true << -1;
        QTest::newRow("qlonglong -5") << QVariant(qlonglong(-5)) << true << -5;
        QTest::newRow("qulonglong 2^32") << QVariant(qulonglong(1) << 32) << false << 0;
        QTest::newRow("byte array") << QVariant(QByteArray("1")) << false << 0;
        QTest::newRow("list") << QVariant(QStringList{"1"}) << false << 0;
        QTest::newRow("bool") << QVariant(true) << false << 0;
        QTest::newRow("double") << QVariant(2.0) << false << 0;
        QTest::newRow("missing") << QVariant() << false << 0;
    }
    void profileInt() {
        QFETCH(QVariant, stored);
        QFETCH(bool, present);
        QFETCH(int, value);
        const std::optional<int32_t> read = ProfileIntOf(stored);
        QCOMPARE(read.has_value(), present);
        if (present) QCOMPARE(*read, value);
    }
    // Through the file, where every section reads the same text the same way.
    void profileIntFromTheFile() {
        TempSettings temp;
        WriteConf(temp,
                  "[GUI]\nFrame\\Left=-20\nFrame\\Top=4294967295\nFrame\\Right=\" 7\"\n"
                  "Editor\\FontSize=12abc\n"
                  "Editor\\FontFace=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                  "Keypad\\FontFace=Consolas\n"
                  "[Recent%20File%20List]\nFile1=@ByteArray(/x/a.tvc)\nFile2=/x/b.tvc\n");
        auto settings = OpenSettingsStore();
        QCOMPARE(settings->value("GUI/Editor/FontFace").typeId(), int(QMetaType::Int));
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Left", 99), -20);
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Top", 99), -1);
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Right", 99), 99);
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Bottom", 99), 99);
        QCOMPARE(ReadProfileString(*settings, "GUI/Keypad/FontFace", "Arial"), "Consolas");
        QCOMPARE(ReadProfileString(*settings, "GUI/Keypad/FontSize", "Arial"), "Arial");
        const EditorFontValues editor = ReadEditorFontValues(*settings);
        QCOMPARE(editor, EditorFontValues{});  // 15 pt "Courier New", not the face "5"
        CRecentFileList recent;
        recent.Load(*settings);
        QCOMPARE(recent.Paths(), QStringList{"/x/b.tvc"});
    }
    // A settings file that is not a regular file is neither read nor written.
    void storeFileOfAnotherKind_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("usesTheFile");
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("dangling link") << "dangling" << false;
        QTest::newRow("FIFO as the organisation's file") << "orgfifo" << false;
        QTest::newRow("link to a regular file") << "link" << true;
        QTest::newRow("regular file") << "file" << true;
    }
    void storeFileOfAnotherKind() {
        QFETCH(QString, kind);
        QFETCH(bool, usesTheFile);
        TempSettings temp;
        const QByteArray content = "[GUI]\nFrame\\Left=33\n";
        const QString file = temp.FilePath();
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QString regular = temp.Directory() + "/elsewhere.conf";
        {
            QFile f(regular);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        if (kind == "fifo") QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        if (kind == "orgfifo") {
            QVERIFY(QFile::copy(regular, file));
            const QString org = temp.Directory() + "/Tarvik.conf";
            QCOMPARE(mkfifo(QFile::encodeName(org).constData(), 0600), 0);
        }
        if (kind == "folder") QVERIFY(QDir().mkpath(file));
        if (kind == "dangling") QVERIFY(QFile::link(temp.Directory() + "/nowhere", file));
        if (kind == "link") QVERIFY(QFile::link(regular, file));
        if (kind == "file") QVERIFY(QFile::copy(regular, file));
        const QStringList before =
            QDir(temp.Directory() + "/Tarvik")
                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

        auto settings = OpenSettingsStore();
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Left", -1), usesTheFile ? 33 : -1);
        WriteProfileInt(*settings, "GUI/Frame/Top", 44);
        settings->sync();
        // The value lives on in this process either way.
        QCOMPARE(ReadProfileInt(*OpenSettingsStore(), "GUI/Frame/Top", -1), 44);
        if (usesTheFile) {
            QSettings fresh(file, QSettings::IniFormat);
            QCOMPARE(fresh.value("GUI/Frame/Top").toString(), QStringLiteral("44"));
            return;
        }
        QCOMPARE(settings->fileName(), MemoryOnlySettingsPath());
        QCOMPARE(QDir(temp.Directory() + "/Tarvik")
                     .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 before);
        QFile untouched(regular);
        QVERIFY(untouched.open(QIODevice::ReadOnly));
        QCOMPARE(untouched.readAll(), content);
    }

    void preferencesWrittenOnlyWhenChanged() {
        TempSettings temp;
        Preferences = PreferencesValues{};
        PreferencesChanged = false;
        {
            auto settings = OpenSettingsStore();
            settings->setValue("GUI/Frame/Maximized", 1);
            QVERIFY(!StorePreferences(*settings));
        }
        QVERIFY(!ReadConf(temp).contains("[Preferences]"));

        Preferences.Notation = 1;
        Preferences.TrigonometricUnits = 2;
        Preferences.ClearConfirmation = 1;
        Preferences.ResultDigits = 202;
        PreferencesChanged = true;
        {
            auto settings = OpenSettingsStore();
            QVERIFY(StorePreferences(*settings));
        }
        PreferencesChanged = false;
        // Checked from the file itself, not from this process's settings cache.
        const QString copy = temp.Directory() + "/copy.ini";
        QVERIFY(QFile::copy(temp.FilePath(), copy));
        QSettings fresh(copy, QSettings::IniFormat);
        fresh.beginGroup("Preferences");
        QCOMPARE(fresh.childKeys().size(), 8);
        QCOMPARE(fresh.value("AppendPower").toString(), QStringLiteral("1"));
        QCOMPARE(fresh.value("Notation").toString(), QStringLiteral("1"));
        QCOMPARE(fresh.value("LogPopup").toString(), QStringLiteral("1"));
        QCOMPARE(fresh.value("TrigonometricUnits").toString(), QStringLiteral("2"));
        QCOMPARE(fresh.value("UseSSE2").toString(), QStringLiteral("0"));
        QCOMPARE(fresh.value("FreeConfirmation").toString(), QStringLiteral("0"));
        QCOMPARE(fresh.value("ClearConfirmation").toString(), QStringLiteral("1"));
        QCOMPARE(fresh.value("ResultDigits").toString(), QStringLiteral("202"));
        Preferences = PreferencesValues{};
    }

    // ---- Placement ----
    void defaultRect_data() {
        QTest::addColumn<bool>("hasWork");
        QTest::addColumn<FrameRect>("work");
        QTest::addColumn<FrameRect>("expected");
        QTest::newRow("no monitor information")
            << false << FrameRect{} << FrameRect{0, 25, 930, 575};
        QTest::newRow("1920 x 1040 at (0, 0)")
            << true << FrameRect{0, 0, 1920, 1040} << FrameRect{495, 245, 1425, 795};
        QTest::newRow("second monitor to the right")
            << true << FrameRect{1920, 0, 3840, 1040} << FrameRect{2415, 245, 3345, 795};
        QTest::newRow("narrower than 930")
            << true << FrameRect{100, 0, 900, 1040} << FrameRect{100, 245, 900, 795};
        QTest::newRow("lower than 550")
            << true << FrameRect{0, 30, 1920, 530} << FrameRect{495, 30, 1425, 530};
        QTest::newRow("odd difference rounds toward zero")
            << true << FrameRect{0, 0, 1025, 601} << FrameRect{47, 25, 977, 575};
    }
    void defaultRect() {
        QFETCH(bool, hasWork);
        QFETCH(FrameRect, work);
        QFETCH(FrameRect, expected);
        QCOMPARE(DefaultFrameRect(hasWork ? std::optional<FrameRect>(work) : std::nullopt),
                 expected);
    }
    void pullBack_data() {
        QTest::addColumn<FrameRect>("rect");
        QTest::addColumn<FrameRect>("expected");
        // Two monitors side by side: (0,0)-(1920,1040) and (1920,0)-(3200,1024).
        QTest::newRow("right of every monitor")
            << FrameRect{5000, 100, 5930, 650} << FrameRect{2270, 100, 3200, 650};
        QTest::newRow("left of every monitor")
            << FrameRect{-2000, 100, -1070, 650} << FrameRect{0, 100, 930, 650};
        QTest::newRow("below") << FrameRect{100, 2000, 1030, 2550}
                               << FrameRect{100, 490, 1030, 1040};
        QTest::newRow("caption above the top")
            << FrameRect{100, -600, 1030, -50} << FrameRect{100, 0, 1030, 550};
        QTest::newRow("caption just above the top")
            << FrameRect{100, -20, 1030, 530} << FrameRect{100, 0, 1030, 550};
        QTest::newRow("caption partly visible stays")
            << FrameRect{100, -19, 1030, 531} << FrameRect{100, -19, 1030, 531};
        QTest::newRow("partly outside stays")
            << FrameRect{1500, 100, 2430, 650} << FrameRect{1500, 100, 2430, 650};
        QTest::newRow("on the second monitor")
            << FrameRect{2000, 100, 2930, 650} << FrameRect{2000, 100, 2930, 650};
        QTest::newRow("below the second monitor")
            << FrameRect{2200, 1500, 3130, 2050} << FrameRect{2200, 474, 3130, 1024};
        QTest::newRow("larger than the work area")
            << FrameRect{4000, 0, 6000, 900} << FrameRect{1920, 0, 3200, 900};
    }
    void pullBack() {
        QFETCH(FrameRect, rect);
        QFETCH(FrameRect, expected);
        const std::vector<FrameRect> monitors{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
        QCOMPARE(PullBackIntoWorkArea(rect, NearestWorkArea(rect, monitors), 20), expected);
    }
    void nearestWorkArea_data() {
        QTest::addColumn<FrameRect>("rect");
        QTest::addColumn<int>("monitor");
        QTest::newRow("largest overlap wins") << FrameRect{1500, 0, 2500, 500} << 1;
        QTest::newRow("mostly on the first") << FrameRect{1000, 0, 2000, 500} << 0;
        QTest::newRow("far right: the closer one") << FrameRect{9000, 0, 9100, 100} << 1;
        QTest::newRow("far below the first") << FrameRect{100, 5000, 200, 5100} << 0;
    }
    void nearestWorkArea() {
        QFETCH(FrameRect, rect);
        QFETCH(int, monitor);
        const std::vector<FrameRect> monitors{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
        QCOMPARE(NearestWorkArea(rect, monitors), monitors[monitor]);
    }
    // Any stored 32-bit edges: the work area's span where the window is
    // larger, then the pull-back; no arithmetic overflows on the way.
    void storedRect_data() {
        QTest::addColumn<FrameRect>("rect");
        QTest::addColumn<FrameRect>("expected");
        QTest::newRow("widest possible")
            << FrameRect{INT_MIN, 100, INT_MAX, 650} << FrameRect{0, 100, 1920, 650};
        QTest::newRow("tallest possible")
            << FrameRect{100, INT_MIN, 1030, INT_MAX} << FrameRect{100, 0, 1030, 1040};
        QTest::newRow("wider than the second monitor")
            << FrameRect{2000, 100, 3500, 650} << FrameRect{1920, 100, 3200, 650};
        QTest::newRow("far left") << FrameRect{INT_MIN, 100, INT_MIN + 930, 650}
                                  << FrameRect{0, 100, 930, 650};
        QTest::newRow("far right and below")
            << FrameRect{INT_MAX - 930, INT_MAX - 550, INT_MAX, INT_MAX}
            << FrameRect{2270, 474, 3200, 1024};
        QTest::newRow("inverted stays empty")
            << FrameRect{INT_MAX, 100, INT_MIN, 650} << FrameRect{1920, 100, 1920, 650};
    }
    void storedRect() {
        QFETCH(FrameRect, rect);
        QFETCH(FrameRect, expected);
        const std::vector<FrameRect> monitors{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
        const FrameRect work = NearestWorkArea(rect, monitors);
        QCOMPARE(PullBackIntoWorkArea(FitIntoWorkArea(rect, work), work, 20), expected);
    }
    void barSizes_data() {
        QTest::addColumn<qlonglong>("cx");
        QTest::addColumn<qlonglong>("cy");
        QTest::addColumn<int>("minimumCx");
        QTest::addColumn<bool>("limited");
        QTest::addColumn<int>("expectedCx");
        QTest::addColumn<int>("expectedCy");
        QTest::newRow("as stored") << 300LL << 200LL << 100 << true << 300 << 200;
        QTest::newRow("wider than every screen")
            << 2147483647LL << 200LL << 100 << true << 1920 << 200;
        QTest::newRow("taller than every screen")
            << 300LL << 4294967295LL << 100 << true << 300 << 1040;
        QTest::newRow("negative") << -20LL << -2147483648LL << 100 << true << 100 << 100;
        QTest::newRow("the minimum wins") << 50LL << 50LL << 2500 << true << 2500 << 100;
        QTest::newRow("no screens") << 5000LL << 5000LL << 100 << false << 5000 << 5000;
    }
    void barSizes() {
        QFETCH(qlonglong, cx);
        QFETCH(qlonglong, cy);
        QFETCH(int, minimumCx);
        QFETCH(bool, limited);
        QFETCH(int, expectedCx);
        QFETCH(int, expectedCy);
        const std::vector<FrameRect> monitors{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
        const std::optional<FrameExtent> limit =
            LargestWorkExtent(limited ? monitors : std::vector<FrameRect>{});
        QCOMPARE(ClampBarSize(cx, cy, FrameExtent{minimumCx, 100}, limit),
                 (FrameExtent{expectedCx, expectedCy}));
    }

    // ---- Recent files ----
    void recentListOrder() {
        CRecentFileList list;
        for (const char* path : {"/a/1.tvc", "/a/2.tvc", "/a/3.tvc", "/a/4.tvc", "/a/5.tvc"})
            list.Add(path);
        QCOMPARE(list.Paths(), QStringList({"/a/5.tvc", "/a/4.tvc", "/a/3.tvc", "/a/2.tvc"}));
        list.Add("/a/3.tvc");
        QCOMPARE(list.Paths(), QStringList({"/a/3.tvc", "/a/5.tvc", "/a/4.tvc", "/a/2.tvc"}));
        list.Add("/a/./2.tvc");
        QCOMPARE(list.Count(), 4);
        QCOMPARE(list.At(0), QStringLiteral("/a/./2.tvc"));
        list.Remove(1);
        QCOMPARE(list.Paths(), QStringList({"/a/./2.tvc", "/a/5.tvc", "/a/4.tvc"}));
    }
    void recentListSettings() {
        TempSettings temp;
        WriteConf(temp,
                  "[Recent%20File%20List]\nFile1=/x/one.tvc\nFile2=\nFile3=/x/three.tvc\nFile5=/x/"
                  "five.tvc\n");
        CRecentFileList list;
        {
            auto settings = OpenSettingsStore();
            list.Load(*settings);
        }
        QCOMPARE(list.Paths(), QStringList({"/x/one.tvc", "/x/three.tvc"}));
        list.Add("/x/new.tvc");
        {
            auto settings = OpenSettingsStore();
            list.Save(*settings);
        }
        const QString copy = temp.Directory() + "/copy.ini";
        QVERIFY(QFile::copy(temp.FilePath(), copy));
        QSettings fresh(copy, QSettings::IniFormat);
        fresh.beginGroup("Recent File List");
        QCOMPARE(fresh.childKeys(), QStringList({"File1", "File2", "File3"}));
        QCOMPARE(fresh.value("File1").toString(), QStringLiteral("/x/new.tvc"));
        QCOMPARE(fresh.value("File2").toString(), QStringLiteral("/x/one.tvc"));
        QCOMPARE(fresh.value("File3").toString(), QStringLiteral("/x/three.tvc"));
    }
    void abbreviatePath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short enough") << "/home/ann/sum.tvc"
                                      << "/home/ann/sum.tvc";
        QTest::newRow("exactly 30") << "/home/ann/calculations/ab.tvc"
                                    << "/home/ann/calculations/ab.tvc";
        QTest::newRow("folders dropped from the front") << "/home/ann/projects/numbers/budget.tvc"
                                                        << "/.../numbers/budget.tvc";
        QTest::newRow("only the last folder fits") << "/home/ann/projects/a-very-long-folder/x.tvc"
                                                   << "/.../a-very-long-folder/x.tvc";
        QTest::newRow("no folder fits") << "/home/ann/projects/an-extremely-long-folder/x.tvc"
                                        << "/.../x.tvc";
        QTest::newRow("long name alone") << "/home/ann/a-file-name-longer-than-thirty.tvc"
                                         << "a-file-name-l...han-thirty.tvc";
        QTest::newRow("a 40-character name") << "/home/ann/monthly-budget-with-all-the-receipts.tvc"
                                             << "monthly-budge...e-receipts.tvc";
        QTest::newRow("a 40-character name without folders")
            << "monthly-budget-with-all-the-receipts.tvc"
            << "monthly-budge...e-receipts.tvc";
        QTest::newRow("a name of a million characters")
            << "/tmp/" + QString(1000000, u'x') + "-end.tvc"
            << "xxxxxxxxxxxxx...xxxxxx-end.tvc";
        QTest::newRow("drive root") << "C:\\Users\\ann\\Documents\\Numbers\\budget.tvc"
                                    << "C:\\...\\Numbers\\budget.tvc";
    }
    void abbreviatePath() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        const QString abbreviated = AbbreviatePath(path, 30);
        QCOMPARE(abbreviated, shown);
        QVERIFY(abbreviated.size() <= 30);
    }
    void recentMenuText() {
        CRecentFileList list;
        list.Add("/home/ann/projects/numbers/budget.tvc");
        list.Add("/tmp/R&D.tvc");
        QCOMPARE(list.MenuText(0), QStringLiteral("&1 /tmp/R&&D.tvc"));
        QCOMPARE(list.MenuText(1), QStringLiteral("&2 /.../numbers/budget.tvc"));
    }

    // ---- Title and panes ----
    void title_data() {
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        QTest::newRow("new document")
            << "Calculation" << false << 0 << QString::fromUtf8(" Tarvik F \u2014 Calculation");
        QTest::newRow("changed") << "Calculation" << true << 0
                                 << QString::fromUtf8(" Tarvik F \u2014 Calculation\u00B0");
        QTest::newRow("a file") << "sum.tvc" << false << 0
                                << QString::fromUtf8(" Tarvik F \u2014 sum.tvc");
        QTest::newRow("numbered window")
            << "sum.tvc" << true << 2 << QString::fromUtf8(" Tarvik F \u2014 sum.tvc\u00B0:2");
    }
    void title() {
        QFETCH(QString, document);
        QFETCH(bool, modified);
        QFETCH(int, number);
        QFETCH(QString, title);
        QCOMPARE(BuildFrameTitle(DocTemplate::WindowTitle(), document, modified, number), title);
    }
    void titleWithoutDocument() {
        QCOMPARE(BuildFrameTitle("Tarvik F"), QStringLiteral(" Tarvik F"));
    }
    void resultPane_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.1") << 0.1 << "rslt = 0.1000000000000000056";
        QTest::newRow("5") << 5.0 << "rslt = 5";
        QTest::newRow("negative zero") << -0.0 << "rslt = -0";
        QTest::newRow("1e21") << 1e21 << "rslt = 1e+21";
    }
    void resultPane() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(ResultPaneText(value), text);
    }
    void unitsPane() {
        QCOMPARE(TrigonometricUnitPaneText(0), QStringLiteral("Rad"));
        QCOMPARE(TrigonometricUnitPaneText(1), QStringLiteral("Deg"));
        QCOMPARE(TrigonometricUnitPaneText(2), QStringLiteral("Grad"));
        QCOMPARE(TrigonometricUnitPaneText(3), QStringLiteral("Rad"));
    }

    // ---- Command line ----
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::newRow("nothing") << QStringList{} << int(CommandLineInfo::NewDocument) << "";
        QTest::newRow("a path") << QStringList{"sum.tvc"} << int(CommandLineInfo::OpenFile)
                                << "sum.tvc";
        QTest::newRow("an absolute path") << QStringList{"/home/ann/p.tvc"}
                                          << int(CommandLineInfo::OpenFile) << "/home/ann/p.tvc";
        QTest::newRow("a path named like no switch")
            << QStringList{"/pi.tvc"} << int(CommandLineInfo::OpenFile) << "/pi.tvc";
        QTest::newRow("/p path") << QStringList{"/p", "x.tvc"} << int(CommandLineInfo::PrintFile)
                                 << "x.tvc";
        QTest::newRow("-P path") << QStringList{"-P", "x.tvc"} << int(CommandLineInfo::PrintFile)
                                 << "x.tvc";
        QTest::newRow("/pt") << QStringList{"/pt", "x.tvc", "Printer", "Driver", "Port"}
                             << int(CommandLineInfo::PrintTo) << "x.tvc";
        QTest::newRow("Unregister")
            << QStringList{"/Unregister"} << int(CommandLineInfo::Unregister) << "";
        QTest::newRow("unregserver")
            << QStringList{"-unregserver"} << int(CommandLineInfo::Unregister) << "";
        QTest::newRow("unknown switch ignored")
            << QStringList{"-x", "a.tvc"} << int(CommandLineInfo::OpenFile) << "a.tvc";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, kind);
        QFETCH(QString, path);
        const CommandLineInfo info = ParseCommandLine(arguments);
        QCOMPARE(int(info.kind), kind);
        QCOMPARE(info.path, path);
        if (info.kind == CommandLineInfo::PrintTo) {
            QCOMPARE(info.printer, QStringLiteral("Printer"));
            QCOMPARE(info.driver, QStringLiteral("Driver"));
            QCOMPARE(info.port, QStringLiteral("Port"));
        }
    }

    // "/lang": the language of the texts, before or after the path.
    void languageSwitch_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("language");
        QTest::newRow("/lang ru") << QStringList{"/lang", "ru"} << int(CommandLineInfo::NewDocument)
                                  << ""
                                  << "ru";
        QTest::newRow("-lang ru before a path")
            << QStringList{"-lang", "ru", "a.tvc"} << int(CommandLineInfo::OpenFile) << "a.tvc"
            << "ru";
        QTest::newRow("/LANG RU after a path")
            << QStringList{"a.tvc", "/LANG", "RU"} << int(CommandLineInfo::OpenFile) << "a.tvc"
            << "ru";
        QTest::newRow("with /p") << QStringList{"/p", "x.tvc", "/lang", "ru"}
                                 << int(CommandLineInfo::PrintFile) << "x.tvc"
                                 << "ru";
        QTest::newRow("a language not shipped is dropped")
            << QStringList{"/lang", "de", "a.tvc"} << int(CommandLineInfo::OpenFile) << "a.tvc"
            << "";
        QTest::newRow("an absolute path is no language")
            << QStringList{"/lang", "/home/ann/p.tvc"} << int(CommandLineInfo::OpenFile)
            << "/home/ann/p.tvc"
            << "";
        QTest::newRow("/lang alone")
            << QStringList{"/lang"} << int(CommandLineInfo::NewDocument) << ""
            << "";
    }
    void languageSwitch() {
        QFETCH(QStringList, arguments);
        const CommandLineInfo info = ParseCommandLine(arguments);
        QTEST(int(info.kind), "kind");
        QTEST(info.path, "path");
        QTEST(info.language, "language");
    }

    // ---- Command table ----
    void commandIdsAreUnique() {
        QSet<int> seen;
        for (const CommandEntry& entry : CommandTable()) {
            QVERIFY2(!seen.contains(entry.id), qPrintable(QString::number(entry.id)));
            seen.insert(entry.id);
        }
    }
    void tipsNameTheMainKey() {
        for (const CommandEntry& entry : CommandTable()) {
            const QString tip = QString::fromLatin1(entry.tip ? entry.tip : "");
            if (!tip.contains("Ctrl+")) continue;
            const QString key = QKeySequence(entry.keys[0]).toString(QKeySequence::PortableText);
            QVERIFY2(tip.endsWith(" " + key), qPrintable(tip + " / " + key));
        }
    }
    void panelKeysAreTheFrameKeys() {
        QList<int> withoutAction;
        for (const Keypad::PanelAccelerator& accelerator : Keypad::PanelAccelerators()) {
            const CommandEntry* entry = EntryOf(accelerator.command);
            if (!entry) {
                withoutAction << accelerator.command;
                continue;
            }
            QVERIFY2(entry->keys[0] == accelerator.key || entry->keys[1] == accelerator.key,
                     qPrintable(QString::number(accelerator.command)));
        }
        QCOMPARE(withoutAction, QList<int>{});
    }
};

QTEST_MAIN(TestShellParts)
#include "tst_shellparts.moc"
