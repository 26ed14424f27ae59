// Recovery copies: the file format and the copies it refuses, the folder's
// slots and orphans, and the keeper over a real document: what it writes and
// when, what it offers at start and what a Yes or a No leaves.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/RecoveryStore.h"
#include "engine/MemoryStore.h"
#include "shell/CCalcApp.h"
#include "shell/CCalcMainFrame.h"
#include "shell/RecoveryKeeper.h"
#include "shell/core/StringIds.h"
#include "tests/support/ScriptedAnswers.h"
#include "tests/support/TempSettings.h"

using NCalculatorText::MemoryStore;

namespace {

RecoveryCopy SampleCopy() {
    RecoveryCopy copy;
    copy.text = QStringLiteral("2*3 = 6;\n") + QChar(0xD800) + QStringLiteral("x\u00e9;");
    copy.path = QStringLiteral("/home/u/\u0441\u0447\u0451\u0442 1.tvc");
    copy.anchor = 3;
    copy.position = 8;
    copy.memory = u"\uFEFF0.10000000000000000555->mem[x];\r\n";
    copy.lastResult = 0.1;
    copy.written = QDateTime(QDate(2025, 3, 4), QTime(14, 32, 5, 120), Qt::UTC);
    copy.pid = 4242;
    return copy;
}

// A copy left by a run that ended without removing it.
void LeaveOrphan(const QString& dir) {
    RecoveryStore gone(dir);
    QVERIFY(gone.Claim());
    QVERIFY(gone.Write(SampleCopy()).Ok());
    gone.Release(true);
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    if (at != std::string::npos) bytes.replace(at, from.size(), to);
    return bytes;
}

QStringList Names(const QString& directory) {
    return QDir(directory).entryList(QDir::Files, QDir::Name);
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

}  // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void init() {
        settings_ = std::make_unique<TempSettings>();
        MemoryStore::Instance().Clear();
        NCalculatorText::lastResult = 0;
        view_ = std::make_unique<CCalcView>();
        doc_ = std::make_unique<CCalcDoc>();
        doc_->SetView(view_.get());
        folder_ = std::make_unique<QTemporaryDir>();
        dir_ = folder_->path() + QStringLiteral("/recovery");
    }
    void cleanup() {
        doc_.reset();
        view_.reset();
        folder_.reset();
        settings_.reset();
    }

    // Taken by the writer, a text held by the copy alone goes back to the
    // system as it is encoded; a text shared with another is left alone. The
    // bytes are the same either way.
    void takenCopyEncodesTheSame() {
        QString large;
        for (int i = 0; large.size() < (3 << 20); ++i) large += QStringLiteral("%1*2 = ;\n").arg(i);
        RecoveryCopy kept = SampleCopy();
        kept.text = large;
        const std::string expected = RecoveryFormat::Encode(kept);
        RecoveryCopy alone = SampleCopy();
        alone.text = QString(large.constData(), large.size());
        QCOMPARE(RecoveryFormat::Encode(std::move(alone)), expected);
        QVERIFY(alone.text.isEmpty());  // NOLINT(bugprone-use-after-move): it says so
        RecoveryCopy shared = kept;
        QCOMPARE(RecoveryFormat::Encode(std::move(shared)), expected);
        QCOMPARE(kept.text, large);
        RecoveryCopy read;
        QCOMPARE(RecoveryFormat::Decode(expected, read), RecoveryRefusal::None);
        QCOMPARE(read.text, large);
    }

    void copyKeepsEveryField() {
        const RecoveryCopy sample = SampleCopy();
        RecoveryCopy read;
        QCOMPARE(RecoveryFormat::Decode(RecoveryFormat::Encode(sample), read),
                 RecoveryRefusal::None);
        QCOMPARE(read.text, sample.text);  // the lone surrogate too
        QCOMPARE(read.path, sample.path);
        QCOMPARE(read.anchor, 3);
        QCOMPARE(read.position, 8);
        QVERIFY(read.modified);
        QVERIFY(read.memory == sample.memory);
        QCOMPARE(read.lastResult, 0.1);
        QCOMPARE(read.written, sample.written);
        QCOMPARE(read.pid, 4242);
    }

    void hostileCopiesAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("refusal");
        const std::string good = RecoveryFormat::Encode(SampleCopy());
        const auto row = [](const char* name, const std::string& bytes, RecoveryRefusal refusal) {
            QTest::newRow(name) << QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))
                                << static_cast<int>(refusal);
        };
        row("empty", "", RecoveryRefusal::Truncated);
        row("cut in the header", good.substr(0, 30), RecoveryRefusal::Truncated);
        row("cut in the text", good.substr(0, good.find("memory") - 3), RecoveryRefusal::Truncated);
        row("no check", good.substr(0, good.find("check")), RecoveryRefusal::Truncated);
        row("not a copy", "2*3 = 6;", RecoveryRefusal::Corrupt);
        row("a byte of the text changed",
            Replaced(good, std::string("2\0*\0003\0", 6), std::string("2\0*\0004\0", 6)),
            RecoveryRefusal::Corrupt);
        row("lines out of order", Replaced(good, "pid ", "pad "), RecoveryRefusal::Corrupt);
        row("bytes after the end", good + "x", RecoveryRefusal::Corrupt);
        row("a later version", Replaced(good, "RECOVERY 1\n", "RECOVERY 2\n"),
            RecoveryRefusal::NewerFormat);
        row("a later version, anything after", "NUMERA-RECOVERY 17\n\x01\x02",
            RecoveryRefusal::NewerFormat);
        row("more text than opens",
            good.substr(0, good.find("\ntext ")) + "\ntext " + std::to_string(1ull << 40) + "\n",
            RecoveryRefusal::TooLarge);
    }
    void hostileCopiesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, refusal);
        RecoveryCopy read;
        QCOMPARE(
            static_cast<int>(RecoveryFormat::Decode(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), read)),
            refusal);
    }

    // A running instance's copy is never an orphan; a released one is, and
    // one whose owner was killed (its lock names a dead process) too.
    void orphansAreTheCopiesOfInstancesGone() {
        RecoveryStore running(dir_);
        QVERIFY(running.Claim());
        QVERIFY(running.Write(SampleCopy()).Ok());
        RecoveryStore gone(dir_);
        QVERIFY(gone.Claim());
        QVERIFY(gone.Write(SampleCopy()).Ok());
        const QString goneCopy = gone.CopyFile();
        gone.Release(true);

        RecoveryStore starting(dir_);
        QVERIFY(starting.Claim());
        std::vector<RecoveryStore::Orphan> orphans = starting.TakeOrphans();
        QCOMPARE(orphans.size(), std::size_t{1});
        QCOMPARE(orphans[0].file, goneCopy);
        // Held by the store that took it: nobody else takes it meanwhile.
        QVERIFY(RecoveryStore(dir_).TakeOrphans().empty());
        RecoveryStore::Dismiss(orphans[0]);
        QVERIFY(!QFileInfo::exists(goneCopy));

        // A normal end leaves nothing behind.
        running.Release(false);
        starting.Release(false);
        QCOMPARE(Names(dir_), QStringList());
    }

    void pruningKeepsWhatIsRecent() {
        QVERIFY(QDir().mkpath(dir_));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto make = [&](const QString& name, int daysOld) {
            QFile file(dir_ + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
            file.flush();
            QVERIFY(file.setFileTime(now.addDays(-daysOld), QFileDevice::FileModificationTime));
        };
        make(QStringLiteral("1-a.recovery.declined"), 15);
        make(QStringLiteral("2-b.recovery.declined"), 13);
        make(QStringLiteral("3-c.recovery.refused"), 30);
        make(QStringLiteral("4-d.recovery.Xy12Ab"), 20);  // a write cut short
        make(QStringLiteral("5-e.recovery"), 40);         // never pruned: still offered
        // The lock of an instance killed with nothing unsaved: its process is gone.
        QProcess process;
        process.start(QStringLiteral("true"), {});
        QVERIFY(process.waitForStarted());
        const qint64 deadPid = process.processId();
        QVERIFY(process.waitForFinished());
        WriteBytes(dir_ + QStringLiteral("/6-f.lock"), QStringLiteral("%1\nnumera\n%2\n")
                                                           .arg(deadPid)
                                                           .arg(QSysInfo::machineHostName())
                                                           .toStdString());
        RecoveryStore(dir_).Prune(now);
        QCOMPARE(Names(dir_), (QStringList{QStringLiteral("2-b.recovery.declined"),
                                           QStringLiteral("5-e.recovery")}));
    }

    // The copy's caret counts characters of the text: a long line may be
    // held in parts otherwise when the copy comes back.
    void copyCaretOfALongLineIsTheTexts() {
        RecoveryKeeper keeper(doc_.get(), dir_);
        keeper.Start();
        view_->ReplaceText(QStringLiteral("1+2;").repeated(10000));
        QVERIFY(view_->SoftBreakCount() > 0);
        doc_->SetModifiedFlag(true);
        QTextCursor cursor = view_->textCursor();
        cursor.setPosition(view_->EditorPosition(30000));
        cursor.setPosition(view_->EditorPosition(30003), QTextCursor::KeepAnchor);
        view_->setTextCursor(cursor);
        keeper.WriteNow();
        QVERIFY(keeper.Flush());
        RecoveryCopy copy;
        QCOMPARE(RecoveryStore::Read(keeper.Store().CopyFile(), copy), RecoveryRefusal::None);
        QCOMPARE(copy.anchor, 30000);
        QCOMPARE(copy.position, 30003);
        view_->ReplaceText(QString());
        doc_->RestoreRecovered(copy.text, QString(), copy.anchor, copy.position);
        QCOMPARE(view_->EditorText(), QStringLiteral("1+2;").repeated(10000));
        QCOMPARE(view_->textCursor().selectedText(), QStringLiteral("1+2"));
        QCOMPARE(view_->TextPosition(view_->textCursor().anchor()), 30000);
    }

    // Typing only starts the timer; the copy comes once typing pauses, a
    // calculation writes at once, and saving removes it.
    void copyFollowsUnsavedWork() {
        RecoveryKeeper keeper(doc_.get(), dir_);
        keeper.Start();
        QVERIFY(keeper.Enabled());
        const QString copyFile = keeper.Store().CopyFile();
        QTest::keyClicks(view_.get(), QStringLiteral("5->mem[k]"));
        QVERIFY(doc_->IsModified());
        QVERIFY(!QFileInfo::exists(copyFile));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(copyFile), RecoveryKeeper::kQuietMs + 1500);
        RecoveryCopy copy;
        QCOMPARE(RecoveryStore::Read(copyFile, copy), RecoveryRefusal::None);
        QCOMPARE(copy.text, QStringLiteral("5->mem[k]"));
        QCOMPARE(copy.position, 9);

        doc_->ExecuteCommand(CalculateCell);
        QVERIFY(keeper.Flush());
        // Written on the result, memory and all: the memory's own signal
        // after it asks for no second copy.
        QVERIFY(!keeper.WriteScheduled());
        QCOMPARE(RecoveryStore::Read(copyFile, copy), RecoveryRefusal::None);
        QCOMPARE(copy.text, QStringLiteral("5->mem[k]=5"));
        QVERIFY(copy.memory == u"\uFEFF5->mem[k];\r\n");
        QCOMPARE(copy.lastResult, 5.0);

        const QString saved = folder_->path() + QStringLiteral("/k.tvc");
        WriteBytes(saved, "");
        ScriptedMessages messages;
        doc_->RestoreRecovered(view_->EditorText(), saved, 0, 0);
        QVERIFY(doc_->OnFileSave());
        keeper.Flush();
        QVERIFY(!QFileInfo::exists(copyFile));
        QCOMPARE(messages.asked.size(), 0);

        // Changes dropped with New and "No" take their copy with them.
        QTest::keyClicks(view_.get(), QStringLiteral("+1"));
        keeper.WriteNow();
        QVERIFY(keeper.Flush());
        QVERIFY(QFileInfo::exists(copyFile));
        messages.answers = {IDNO};
        QVERIFY(doc_->OnNewDocument());
        keeper.Flush();
        QVERIFY(!QFileInfo::exists(copyFile));
        keeper.Finish();
        QCOMPARE(Names(dir_), QStringList());
    }

    // Yes brings back the text under its path, as unsaved work, with the
    // caret and the memory; the old copy is replaced by this run's.
    void yesRecoversEverything() {
        LeaveOrphan(dir_);
        ScriptedMessages messages({IDYES});
        RecoveryKeeper keeper(doc_.get(), dir_);
        keeper.Start();
        QVERIFY(keeper.OfferOrphans());
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(
            messages.asked[0].text,
            QStringLiteral("The calculation \u201c\u0441\u0447\u0451\u0442 1.tvc\u201d was not "
                           "saved when Numera ended unexpectedly at %1. Recover it?")
                .arg(SampleCopy().written.toLocalTime().toString(
                    QStringLiteral("yyyy-MM-dd HH:mm"))));
        QCOMPARE(messages.asked[0].type, unsigned{MB_YESNO | MB_ICONQUESTION});

        QCOMPARE(view_->EditorText(), SampleCopy().text);
        QCOMPARE(doc_->GetPathName(), SampleCopy().path);
        QVERIFY(doc_->IsModified());
        QCOMPARE(view_->textCursor().anchor(), 3);
        QCOMPARE(view_->textCursor().position(), 8);
        const NCalculatorText::MemoryCell* x = MemoryStore::Instance().Find(u"x");
        QVERIFY(x != nullptr);
        QCOMPARE(x->value, 0.1);
        QCOMPARE(NCalculatorText::lastResult, 0.1);
        // Only this run's copy is left.
        QCOMPARE(Names(dir_).filter(QStringLiteral(".recovery")),
                 QStringList{QFileInfo(keeper.Store().CopyFile()).fileName()});
    }

    // Two instances killed together: both are offered; a No keeps a copy
    // aside and never offers it again; after a Yes the others wait.
    void everyOrphanIsOfferedInTurn_data() {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("declined");
        QTest::addColumn<int>("waiting");
        QTest::newRow("no, no") << QList<int>{IDNO, IDNO} << 2 << 2 << 0;
        QTest::newRow("no, yes") << QList<int>{IDNO, IDYES} << 2 << 1 << 0;
        QTest::newRow("yes") << QList<int>{IDYES} << 1 << 0 << 1;
    }
    void everyOrphanIsOfferedInTurn() {
        QFETCH(QList<int>, answers);
        QFETCH(int, asked);
        QFETCH(int, declined);
        QFETCH(int, waiting);
        for (int i = 0; i < 2; ++i) {
            RecoveryStore gone(dir_);
            QVERIFY(gone.Claim());
            QVERIFY(gone.Write(SampleCopy()).Ok());
            gone.Release(true);
        }
        ScriptedMessages messages(answers);
        RecoveryKeeper keeper(doc_.get(), dir_);
        keeper.Start();
        keeper.OfferOrphans();
        QCOMPARE(messages.asked.size(), asked);
        QCOMPARE(Names(dir_).filter(QStringLiteral(".declined")).size(), declined);
        keeper.Finish();
        // What waits is offered at the next start, what was declined is not.
        ScriptedMessages next;
        RecoveryKeeper again(doc_.get(), dir_);
        again.Start();
        again.OfferOrphans();
        QCOMPARE(next.asked.size(), waiting);
        again.Finish();
    }

    // A copy that cannot be used is refused in words that say why, and kept.
    void refusedCopyIsKeptAside_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const std::string good = RecoveryFormat::Encode(SampleCopy());
        QTest::newRow("damaged") << QByteArray::fromStdString(
                                        Replaced(good, std::string("2\0*\0003\0", 6),
                                                 std::string("2\0*\0004\0", 6)))
                                 << QStringLiteral("the copy is damaged.");
        QTest::newRow("incomplete") << QByteArray::fromStdString(good.substr(0, good.size() / 2))
                                    << QStringLiteral("the copy is incomplete.");
        QTest::newRow("newer") << QByteArray("NUMERA-RECOVERY 2\n")
                               << QStringLiteral(
                                      "the copy was written by a newer version of "
                                      "Numera.");
    }
    // The program takes its slot once the window is drawn: offering starts
    // the keeper only when there is a copy to offer, and the later Start
    // keeps the slot it took.
    void offeringStartsOnlyForACopy() {
        {
            RecoveryKeeper keeper(doc_.get(), dir_);
            QVERIFY(!keeper.OfferOrphans());
            QVERIFY(!keeper.Enabled());
            QCOMPARE(Names(dir_).filter(QStringLiteral(".lock")), QStringList());
            keeper.Finish();
        }
        LeaveOrphan(dir_);
        ScriptedMessages messages({IDYES});
        RecoveryKeeper keeper(doc_.get(), dir_);
        QVERIFY(keeper.OfferOrphans());
        QVERIFY(keeper.Enabled());
        const QString copy = keeper.Store().CopyFile();
        keeper.Start();
        QCOMPARE(keeper.Store().CopyFile(), copy);
        QCOMPARE(Names(dir_).filter(QStringLiteral(".recovery")),
                 QStringList{QFileInfo(copy).fileName()});
        keeper.Finish();
    }

    void refusedCopyIsKeptAside() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        QVERIFY(QDir().mkpath(dir_));
        const QString file = dir_ + QStringLiteral("/77-dead.recovery");
        WriteBytes(file, bytes.toStdString());
        ScriptedMessages messages;
        RecoveryKeeper keeper(doc_.get(), dir_);
        keeper.Start();
        QVERIFY(!keeper.OfferOrphans());
        QCOMPARE(messages.Texts(),
                 QStringList{QStringLiteral("A recovery copy of unsaved work cannot be used: %1\n"
                                            "It was kept as %2.")
                                 .arg(why, QDir::toNativeSeparators(file + ".refused"))});
        QCOMPARE(messages.asked[0].type, unsigned{MB_ICONEXCLAMATION});
        QCOMPARE(ReadAll(file + ".refused"), bytes);
        QVERIFY(view_->EditorText().isEmpty());
        keeper.Finish();
    }

    // A folder that cannot be made or written turns recovery off with one
    // message for the whole run; the work itself goes on.
    void unusableFolderIsToldOnce_data() {
        QTest::addColumn<bool>("claimed");
        QTest::newRow("cannot be made") << false;
        QTest::newRow("cannot be written") << true;
    }
    void unusableFolderIsToldOnce() {
        QFETCH(bool, claimed);
        const QString file = folder_->path() + QStringLiteral("/file");
        WriteBytes(file, "x");
        // A folder under a file cannot be made; a folder where the copy
        // should go stands for a full or read-only one (root writes anywhere).
        const QString directory = claimed ? dir_ : file + QStringLiteral("/recovery");
        ScriptedMessages messages;
        RecoveryKeeper keeper(doc_.get(), directory);
        keeper.Start();
        QCOMPARE(keeper.Enabled(), claimed);
        if (claimed) QVERIFY(QDir().mkpath(keeper.Store().CopyFile()));
        QTest::keyClicks(view_.get(), QStringLiteral("1+1"));
        doc_->ExecuteCommand(CalculateCell);
        keeper.Flush();
        keeper.WriteNow();
        keeper.Flush();
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1=2"));
        QCOMPARE(messages.Texts(),
                 QStringList{QStringLiteral("Numera cannot keep recovery copies of unsaved work "
                                            "in %1.\nUntil it can, work that is not saved is "
                                            "lost if Numera ends unexpectedly.")
                                 .arg(QDir::toNativeSeparators(directory))});
    }

    // At start the question comes before the command line's file, which
    // then asks to save the recovered work; Unregister asks nothing.
    void startUpOffersFirst_data() {
        QTest::addColumn<bool>("unregister");
        QTest::newRow("a file to open") << false;
        QTest::newRow("Unregister") << true;
    }
    void startUpOffersFirst() {
        QFETCH(bool, unregister);
        QCoreApplication::setOrganizationName(QStringLiteral("Tarvik"));
        QCoreApplication::setApplicationName(QStringLiteral("Numera"));
        const QString directory = RecoveryStore::DefaultDirectory();
        QDir(directory).removeRecursively();
        {
            RecoveryStore gone(directory);
            QVERIFY(gone.Claim());
            QVERIFY(gone.Write(SampleCopy()).Ok());
            gone.Release(true);
        }
        const QString file = folder_->path() + QStringLiteral("/other.tvc");
        WriteBytes(file, std::string("\xFF\xFE"
                                     "7\0",
                                     4));
        ScriptedMessages messages({unregister ? IDOK : IDYES, IDNO});
        {
            CCalcApp app;
            app.InitInstance({unregister ? QStringLiteral("-Unregister") : file});
            if (!unregister) {
                QCOMPARE(app.Document()->GetPathName(), file);
                QCOMPARE(app.MainFrame()->View()->EditorText(), QStringLiteral("7"));
            }
            app.ExitInstance();
        }
        QStringList expected{messages.Texts().value(0)};
        if (!unregister) {
            QVERIFY(expected[0].startsWith(QStringLiteral("The calculation \u201c")));
            expected.append(
                QStringLiteral("Save changes to \u201c\u0441\u0447\u0451\u0442 "
                               "1.tvc\u201d?"));
        } else {
            QVERIFY(expected[0].startsWith(QStringLiteral("System registry entries")));
        }
        QCOMPARE(messages.Texts(), expected);
        // Unregister left the copy on offer; the dropped recovered work took it.
        QCOMPARE(QDir(directory).entryList({QStringLiteral("*.recovery")}).size(),
                 unregister ? 1 : 0);
        QDir(directory).removeRecursively();
    }

private:
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<TempSettings> settings_;
    std::unique_ptr<CCalcView> view_;
    std::unique_ptr<CCalcDoc> doc_;
    std::unique_ptr<QTemporaryDir> folder_;
    QString dir_;
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
