// Printing: the page layout over made-up widths (every character 10 units
// wide), and print jobs of the editor into PDF files read back as text.
#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "document/CCalcPrintDialog.h"
#include "document/CCalcPrintingDialog.h"
#include "document/CCalcView.h"
#include "document/CupsJobs.h"
#include "document/PagePrinter.h"
#include "document/PrintJob.h"
#include "document/PrintLayout.h"
#include "document/PrintSettings.h"
#include "document/PrinterSelection.h"
#include "tests/document/ScriptedUi.h"
#include "tests/support/StillDialogs.h"
#include "toolkit/TaButton.h"

namespace {

const TextWidth kTenEach = [](QStringView text) { return int(text.size()) * 10; };

std::tm LocalTime(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

// "start:length@y" for each line, then "| next".
QString Described(const BodyRun& run) {
    QStringList parts;
    for (const BodyLine& line : run.lines)
        parts << QStringLiteral("%1:%2@%3").arg(line.start).arg(line.length).arg(line.y);
    return parts.join(u' ') + QStringLiteral(" | %1").arg(run.next);
}

// A progress window that records what the job tells it and may press Cancel.
struct FakeProgress : IPrintProgress {
    QStringList* log;
    unsigned cancelAt;
    unsigned shown = 0;
    FakeProgress(QStringList* log, unsigned cancelAt) : log(log), cancelAt(cancelAt) {}
    void ShowProgress() override { log->append(QStringLiteral("show")); }
    void SetPrinted(unsigned count) override {
        shown = count;
        log->append(QString::number(count));
    }
    bool UserAborted() const override { return cancelAt != 0 && shown >= cancelAt; }
    void CloseProgress() override { log->append(QStringLiteral("close")); }
};

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void printableArea_data() {
        QTest::addColumn<PageMargins>("margins");
        QTest::addColumn<DrawingArea>("area");
        // 600 dpi: 25 mm = 590.55 units, 15 mm = 354.33; unprintable edges
        // 80 left, 100 top, 80 right, 116 bottom.
        QTest::newRow("defaults") << PageMargins{250000, 150000, 150000, 150000}
                                  << DrawingArea{true, 511, 254, 4800 - 274, 6800 - 238};
        QTest::newRow("inside the edges")
            << PageMargins{0, 20000, 0, 0} << DrawingArea{true, 0, 0, 4800, 6800};
        QTest::newRow("no width left") << PageMargins{1270000, 0, 1270000, 0}
                                       << DrawingArea{false, 2920, 0, 4800 - 2920, 6800};
    }
    void printableArea() {
        QFETCH(PageMargins, margins);
        QFETCH(DrawingArea, area);
        const DeviceMetrics a4{4960, 7016, 4800, 6800, 80, 100, 600, 600};
        QCOMPARE(PrintableArea(a4, margins), area);
    }

    void fileLine_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width");
        QTest::addColumn<FileLine>("line");
        // The picture is 20 units wide.
        const QString sums = QStringLiteral("/home/ann/sums.tvc");
        QTest::newRow("full") << sums << 270 << FileLine{true, true, " Calculator file sums.tvc"};
        QTest::newRow("File NAME") << sums << 160 << FileLine{true, true, " File sums.tvc"};
        QTest::newRow("space NAME") << sums << 110 << FileLine{true, true, " sums.tvc"};
        QTest::newRow("bare name") << sums << 80 << FileLine{true, false, "sums.tvc"};
        QTest::newRow("nothing") << sums << 79 << FileLine{};
        QTest::newRow("memory file") << QStringLiteral("C:\\calc\\rates.tvm") << 400
                                     << FileLine{true, true, " Calculator memory file rates.tvm"};
        QTest::newRow("unnamed") << QString() << 260
                                 << FileLine{true, true, " Calculator unnamed file"};
        QTest::newRow("unnamed, narrow") << QString() << 100 << FileLine{true, true, ""};
    }
    void fileLine() {
        QFETCH(QString, path);
        QFETCH(int, width);
        QFETCH(FileLine, line);
        QCOMPARE(ChooseFileLine(path, width, 20, kTenEach), line);
    }

    void dateAndTime_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        using namespace PrintItems;
        QTest::newRow("both") << (Date | Time) << 1000 << "07:05 9 Dec 2026";
        QTest::newRow("time") << Time << 1000 << "07:05";
        QTest::newRow("date") << Date << 1000 << "9 Dec 2026";
        QTest::newRow("both, narrow: the date") << (Date | Time) << 159 << "9 Dec 2026";
        QTest::newRow("too narrow for the date") << (Date | Time) << 99 << "";
        QTest::newRow("time alone, too narrow") << Time << 49 << "";
    }
    void dateAndTime() {
        QFETCH(int, items);
        QFETCH(int, width);
        QFETCH(QString, text);
        QCOMPARE(ChooseDateTimeText(items, LocalTime(2026, 12, 9, 7, 5), width, kTenEach), text);
    }

    void pageNumber_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<unsigned>("page");
        QTest::addColumn<int>("space");
        QTest::addColumn<PageNumber>("number");
        using namespace PrintItems;
        // The drawing area runs from 100 to 1100.
        QTest::newRow("n of N, right")
            << Default << 3u << 1000 << PageNumber{true, "3 of 12", 1030};
        QTest::newRow("n of N falls back") << Default << 3u << 60 << PageNumber{true, "3", 1090};
        QTest::newRow("no room even bare") << Default << 12u << 15 << PageNumber{};
        QTest::newRow("bare, but touching the date") << Default << 3u << 10 << PageNumber{};
        QTest::newRow("bare, a blank from the date")
            << Default << 3u << 20 << PageNumber{true, "3", 1090};
        QTest::newRow("n drawn anyway")
            << (Number + FooterRight * 128) << 3u << 5 << PageNumber{true, "3", 1090};
        QTest::newRow("dashed, centred") << (Number + FormatDashed * 16 + FooterCenter * 128) << 3u
                                         << 1000 << PageNumber{true, "- 3 -", 575};
        QTest::newRow("centred would meet the file line")
            << (Number + FormatDashed * 16 + HeaderCenter * 128) << 3u << 534
            << PageNumber{true, "- 3 -", 1050};
        QTest::newRow("format 5 prints as n")
            << (Number + 5 * 16 + HeaderRight * 128) << 7u << 1000 << PageNumber{true, "7", 1090};
    }
    void pageNumber() {
        QFETCH(int, items);
        QFETCH(unsigned, page);
        QFETCH(int, space);
        QFETCH(PageNumber, number);
        const DrawingArea area{true, 100, 50, 1100, 1500};
        QCOMPARE(PlacePageNumber(items, page, 12, area, space, kTenEach), number);
    }

    void headerAndFooterNeeds_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("header");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<QString>("number");
        using namespace PrintItems;
        QTest::newRow("default") << Default << true << true << "4 of 9";
        QTest::newRow("number in the header")
            << (Number + HeaderRight * 128) << true << false << "4";
        QTest::newRow("position 6 is footer right") << (Number + 6 * 128) << false << true << "4";
        QTest::newRow("time only") << Time << false << true << "4";
        QTest::newRow("nothing") << 0 << false << false << "4";
    }
    void headerAndFooterNeeds() {
        QFETCH(int, items);
        QFETCH(bool, header);
        QFETCH(bool, footer);
        QFETCH(QString, number);
        QCOMPARE(PrintItems::HasHeaderLine(items), header);
        QCOMPARE(PrintItems::HasFooterLine(items), footer);
        QCOMPARE(PageNumberText(items, 4, 9), number);
    }

    void body_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("lines");
        // Lines 10 high in an area 30 high; tab stops every 80.
        QTest::newRow("CR LF ends a line") << "ab\r\ncd" << 0 << 100 << "0:2@0 4:2@10 | 6";
        QTest::newRow("an empty line takes one")
            << "ab\r\n\r\ncd" << 0 << 100 << "0:2@0 4:0@10 6:2@20 | 8";
        QTest::newRow("tab to the next stop") << "a\tbc" << 0 << 100 << "0:4@0 | 4";
        QTest::newRow("tab past the edge breaks")
            << "abcdefghi\tx" << 0 << 100 << "0:9@0 10:1@10 | 11";
        QTest::newRow("break at the last blank")
            << "aaaa bbbb cccc" << 0 << 100 << "0:9@0 10:4@10 | 14";
        QTest::newRow("word longer than the line")
            << "abcdefghijklmno" << 0 << 100 << "0:10@0 10:5@10 | 15";
        QTest::newRow("continuation skips blanks")
            << "aaaaaaaaa     bbb" << 0 << 100 << "0:10@0 14:3@10 | 17";
        QTest::newRow("blanks over the edge end the line")
            << "aaaaaaaaaa   \r\nb" << 0 << 100 << "0:10@0 15:1@10 | 16";
        QTest::newRow("the page is full")
            << "a\r\nb\r\nc\r\nd" << 0 << 100 << "0:1@0 3:1@10 6:1@20 | 9";
        QTest::newRow("from the middle") << "a\r\nb\r\nc\r\nd" << 6 << 100 << "6:1@0 9:1@10 | 10";
        QTest::newRow("a character wider than the area") << "ab" << 0 << 5 << "0:1@0 1:1@10 | 2";
        QTest::newRow("empty") << "" << 0 << 100 << " | 0";
    }
    void body() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, width);
        QFETCH(QString, lines);
        const BodyGeometry area{width, 30, 10, 80};
        QCOMPARE(Described(LayoutBody(text, start, text.size(), area, kTenEach)), lines);
    }

    void pageCountAndTabs() {
        const BodyGeometry area{100, 30, 10, 80};
        // The first line always goes on the page, even when the area is lower.
        QCOMPARE(Described(LayoutBody("a\r\nb", 0, 4, {100, 5, 10, 80}, kTenEach)), "0:1@0 | 3");
        QCOMPARE(CountPages("", 0, 0, area, kTenEach), 1u);
        QCOMPARE(CountPages("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7", 0, 19, area, kTenEach), 3u);
        QCOMPARE(CountPages("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7", 3, 11, area, kTenEach), 1u);
        const std::vector<LineSegment> segments{{0, 1, 0}, {2, 2, 80}, {5, 1, 160}};
        QCOMPARE(LineSegments(u"a\tbc\td", 80, kTenEach), segments);
    }

    // Fonts at the device's resolution; a body font that cannot be made is
    // the editor's, a header/footer font the body's.
    void fontFallbacks_data() {
        QTest::addColumn<QString>("textFace");
        QTest::addColumn<QString>("serviceFace");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("bodyPixels");
        QTest::addColumn<bool>("serviceMade");
        QTest::addColumn<QString>("service");
        // 300 dpi: 12 pt is 50 pixels, 10 pt 42, the editor's 15 pt 63.
        QTest::newRow("both made") << "Courier New"
                                   << "Times New Roman"
                                   << "Courier New" << 50 << true << "Times New Roman";
        QTest::newRow("body from the editor")
            << ""
            << "Times New Roman"
            << "Liberation Mono" << 63 << true << "Times New Roman";
        QTest::newRow("header from the body") << "Courier New"
                                              << ""
                                              << "Courier New" << 50 << false << "Courier New";
    }
    void fontFallbacks() {
        QFETCH(QString, textFace);
        QFETCH(QString, serviceFace);
        QFETCH(QString, body);
        QFETCH(int, bodyPixels);
        QFETCH(bool, serviceMade);
        QFETCH(QString, service);
        PrintSettings settings;
        settings.textFont.face = textFace;
        settings.serviceFont.face = serviceFace;
        QImage page(2480, 3508, QImage::Format_RGB32);
        PagePrinter printer;
        printer.Begin(page, {2480, 3508, 2480, 3508, 0, 0, 300, 300}, settings,
                      EditorFontValues{15, 400, false, "Liberation Mono"}, PrintSource{});
        QCOMPARE(printer.TextFont().family(), body);
        QCOMPARE(printer.TextFont().pixelSize(), bodyPixels);
        QCOMPARE(printer.ServiceFontMade(), serviceMade);
        QCOMPARE(printer.ServiceFont().family(), service);
        printer.End();
        QVERIFY(!printer.ServiceFontMade());
    }

    // The file line's picture: 200 x 200, black ink or nothing.
    void filePictureIsMonochrome() {
        const QImage picture = PagePrinter::FilePicture();
        QCOMPARE(picture.size(), QSize(200, 200));
        int ink = 0, paper = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const QRgb pixel = picture.pixel(x, y);
                if (pixel == qRgba(0, 0, 0, 255))
                    ++ink;
                else if (qAlpha(pixel) == 0)
                    ++paper;
            }
        QCOMPARE(ink + paper, 200 * 200);
        QVERIFY2(ink > 2000 && paper > ink, qPrintable(QString::number(ink)));
    }

    void pageRange_data() {
        QTest::addColumn<QList<int>>("fromToMax");
        QTest::addColumn<QList<int>>("startEndStep");
        QTest::newRow("all, open end") << QList<int>{1, 65535, 65535} << QList<int>{1, 65535, 1};
        QTest::newRow("all of 3 counted") << QList<int>{1, 65535, 3} << QList<int>{1, 4, 1};
        QTest::newRow("one page") << QList<int>{2, 2, 5} << QList<int>{2, 3, 1};
        QTest::newRow("backwards") << QList<int>{5, 2, 9} << QList<int>{5, 1, -1};
        QTest::newRow("beyond the count") << QList<int>{7, 9, 3} << QList<int>{3, 4, 1};
    }
    void pageRange() {
        QFETCH(QList<int>, fromToMax);
        QFETCH(QList<int>, startEndStep);
        const CCalcPrintJob::Range range =
            CCalcPrintJob::PageRange(fromToMax[0], fromToMax[1], 1, fromToMax[2]);
        QCOMPARE((QList<int>{range.start, range.end, range.step}), startEndStep);
    }

    void init() {
        ApplicationPrintSettings() = PrintSettings();
        previousLister_ = PrinterSelection::SetLister([] { return QList<PrinterQueue>(); });
        ApplicationPrinterSelection().Clear();
    }
    void cleanup() { PrinterSelection::SetLister(std::move(previousLister_)); }

    // Print... with Selection into a file: the file dialog's proposal, and
    // exactly the selected code units on the page.
    void printsTheSelectionIntoAFile_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("pageText");
        QTest::newRow("body only") << 0 << "cond line\nthi";
        QTest::newRow("default items, unnamed")
            << PrintItems::Default << "Calculator unnamed file|cond line|thi|1 of 1";
    }
    void printsTheSelectionIntoAFile() {
        QFETCH(int, items);
        QFETCH(QString, pageText);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is missing");
        ApplicationPrintSettings().items = items;
        TempSettings settings;
        CCalcView view;
        view.ReplaceText(QStringLiteral("first line\nsecond line\nthird"));
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(13);
        cursor.setPosition(26, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);

        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
        ScriptedFiles files({pdf});
        unsigned flags = 0;
        const auto previous = CCalcPrintDialog::SetChooser([&flags](CCalcPrintDialog& dialog) {
            flags = dialog.Flags();
            dialog.Printer().setPrintRange(QPrinter::Selection);
            dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
            return IDOK;
        });
        QStringList log;
        const auto factory = CCalcPrintJob::SetProgressFactory(
            [&log](const QString& document, const QString&, const QString& port, unsigned pages,
                   QWidget*) -> std::unique_ptr<IPrintProgress> {
                log << document << port << QString::number(pages);
                return std::make_unique<FakeProgress>(&log, 0);
            });
        CCalcPrintJob job(view, QStringLiteral("Untitled"), QString(), nullptr);
        const CCalcPrintJob::Outcome outcome = job.Run(true);
        CCalcPrintDialog::SetChooser(previous);
        CCalcPrintJob::SetProgressFactory(factory);

        QCOMPARE(outcome, CCalcPrintJob::Outcome::Printed);
        QCOMPARE(flags, CCalcPrintDialog::PD_USEDEVMODECOPIESANDCOLLATE);
        QCOMPARE(files.seen.size(), 1);
        const SeenDialog& seen = files.seen[0];
        QCOMPARE(seen.open, false);
        QCOMPARE(seen.defaultExtension, "pdf");
        QCOMPARE(seen.proposedName, "Output.pdf");
        QCOMPARE(seen.filter, "PDF files (*.pdf)|*.pdf|All Files (*.*)|*.*||");
        QCOMPARE(seen.title, "Print to File");
        QCOMPARE(seen.flags, CCalcFileDialog::OFN_HIDEREADONLY);
        // The counted job says its one page; an open end says none.
        const QString pages = items == 0 ? "0" : "1";
        QCOMPARE(log, (QStringList{"Untitled", "out.pdf", pages, "show", "1", "close"}));
        QCOMPARE(view.PrintSelectionStart(), 14);  // after one CR LF
        QCOMPARE(view.PrintSelectionEnd(), 28);

        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(20000));
        QStringList lines;
        for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split(u'\n'))
            if (!line.trimmed().remove(u'\f').isEmpty()) lines << line.trimmed();
        if (items != 0) {
            // The date goes first on the footer line; drop it, keep the number.
            lines.last() = lines.last().section(QStringLiteral("  "), -1).trimmed();
            QCOMPARE(lines.join(u'|'), pageText);
        } else {
            QCOMPARE(lines.join(u'\n'), pageText);
        }
    }

    // The selection on the private scheduler's cups-pdf queue (run by
    // tests/support/private-cups.sh, skipped without it).
    void printsTheSelectionOnTheQueue() {
        const QString out = qEnvironmentVariable("NUMERA_PDF_OUT");
        if (out.isEmpty()) QSKIP("no private scheduler");
        PrinterSelection::SetLister(previousLister_);
        ApplicationPrintSettings().items = 0;
        TempSettings settings;
        CCalcView view;
        view.ReplaceText(QStringLiteral("11+1 = 12;\n22+2 = 24;\n33+3 = 36;"));
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(14);
        cursor.setPosition(25, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
        const auto previous = CCalcPrintDialog::SetChooser([](CCalcPrintDialog& dialog) {
            dialog.Printer().setPrintRange(QPrinter::Selection);
            return dialog.Printer().printerName() == "NumeraPDF" ? IDOK : IDCANCEL;
        });
        const auto factory = CCalcPrintJob::SetProgressFactory({});
        CCalcPrintJob job(view, QStringLiteral("selection.tvc"), QString(), nullptr);
        const CCalcPrintJob::Outcome outcome = job.Run(true);
        CCalcPrintDialog::SetChooser(previous);
        CCalcPrintJob::SetProgressFactory(factory);
        QCOMPARE(outcome, CCalcPrintJob::Outcome::Printed);

        // cups-pdf names the file after the job.
        QString pdf;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QProcess queue;
                queue.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
                queue.waitForFinished(10000);
                const QStringList files = QDir(out).entryList({QStringLiteral("selection*.pdf")});
                if (!queue.readAllStandardOutput().trimmed().isEmpty() || files.isEmpty())
                    return false;
                pdf = QDir(out).filePath(files.first());
                return true;
            }(),
            60000);
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(text.readAllStandardOutput()).remove(u'\f').trimmed(),
                 "2 = 24;\n33+");
    }

    void failuresAndCancelling() {
        TempSettings settings;
        CCalcView view;
        view.ReplaceText(QString(QStringLiteral("1+1 = 2;\n")).repeated(400));
        ScriptedMessages messages;
        ScriptedFiles files;
        QStringList log;
        const auto factory = CCalcPrintJob::SetProgressFactory(
            [&log](const QString&, const QString&, const QString&, unsigned pages,
                   QWidget*) -> std::unique_ptr<IPrintProgress> {
                log << QString::number(pages);
                return std::make_unique<FakeProgress>(&log, 2);
            });
        // A printer named on the command line that is not there.
        CCalcPrintJob named(view, QStringLiteral("sums.tvc"), QString(), nullptr);
        named.SetNamedPrinter({QStringLiteral("NoSuchQueue"), QStringLiteral("CUPS"), QString()});
        QCOMPARE(named.Run(false), CCalcPrintJob::Outcome::Failed);
        QCOMPARE(messages.Texts(), QStringList{"Could not start print job."});
        QCOMPARE(messages.asked[0].type, MB_OK | MB_ICONEXCLAMATION);

        // The print dialog cancelled: nothing more is asked.
        const auto previous =
            CCalcPrintDialog::SetChooser([](CCalcPrintDialog&) { return IDCANCEL; });
        CCalcPrintJob cancelled(view, QStringLiteral("sums.tvc"), QString(), nullptr);
        QCOMPARE(cancelled.Run(true), CCalcPrintJob::Outcome::Cancelled);
        QCOMPARE(files.seen.size(), 0);
        QVERIFY(log.isEmpty());

        // Cancel pressed while page 2 prints: the job stops after it.
        QTemporaryDir folder;
        CCalcPrintDialog::SetChooser([](CCalcPrintDialog& dialog) {
            dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
            return IDOK;
        });
        files.typed = QStringList{folder.filePath(QStringLiteral("out.pdf"))};
        CCalcPrintJob aborted(view, QStringLiteral("sums.tvc"), QString(), nullptr);
        QCOMPARE(aborted.Run(true), CCalcPrintJob::Outcome::Aborted);
        QVERIFY2(log.first().toUInt() >= 5, qPrintable(log.first()));  // 400 lines: many pages
        QCOMPARE(log.mid(1), (QStringList{"show", "1", "2", "close"}));
        QCOMPARE(messages.asked.size(), 1);

        // A job that cannot start (no such folder for the file).
        log.clear();
        files.typed = QStringList{folder.filePath(QStringLiteral("missing/out.pdf"))};
        CCalcPrintJob unstarted(view, QStringLiteral("sums.tvc"), QString(), nullptr);
        QCOMPARE(unstarted.Run(true), CCalcPrintJob::Outcome::Failed);
        CCalcPrintDialog::SetChooser(previous);
        CCalcPrintJob::SetProgressFactory(factory);
        QCOMPARE(log.mid(1), (QStringList{"show", "close"}));
        QCOMPARE(messages.Texts().last(), "The printing was cancelled.");
        QCOMPARE(messages.asked.last().type, MB_OK | MB_ICONEXCLAMATION);
        QVERIFY(!view.Printing().Begun());
    }

    // Cancel and Esc in the program's own progress window, while the job
    // keeps its main window disabled: the job stops after the current page
    // and nothing of it stays.
    void cancelInTheProgressWindow_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Esc") << true;
        QTest::newRow("Cancel") << false;
    }
    void cancelInTheProgressWindow() {
        QFETCH(bool, byKey);
        StillDialogs::Begin();
        TempSettings settings;
        QWidget mainWindow;
        mainWindow.show();
        CCalcView view;
        view.ReplaceText(QString(QStringLiteral("1+1 = 2;\n")).repeated(400));
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
        ScriptedFiles files({pdf});
        const auto previous = CCalcPrintDialog::SetChooser([](CCalcPrintDialog& dialog) {
            dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
            return IDOK;
        });
        bool ownerDisabled = false, windowEnabled = false;
        unsigned cancelledAt = 0, pages = 0;
        QTimer press;
        press.setInterval(0);
        connect(&press, &QTimer::timeout, this, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<CCalcPrintingDialog*>(window);
                if (!progress || !progress->isVisible() || progress->Printed() < 2 || cancelledAt)
                    continue;
                ownerDisabled = !mainWindow.isEnabled();
                windowEnabled = progress->isEnabled();
                cancelledAt = progress->Printed();
                pages = progress->Pages();
                if (byKey)
                    QTest::keyClick(progress, Qt::Key_Escape);
                else
                    QTest::mouseClick(progress->CancelButton(), Qt::LeftButton);
            }
        });
        press.start();
        CCalcPrintJob job(view, QStringLiteral("sums.tvc"), QString(), &mainWindow);
        const CCalcPrintJob::Outcome outcome = job.Run(true);
        press.stop();
        CCalcPrintDialog::SetChooser(previous);
        StillDialogs::End();

        QCOMPARE(outcome, CCalcPrintJob::Outcome::Aborted);
        QVERIFY(ownerDisabled);
        QVERIFY(windowEnabled);
        QCOMPARE(cancelledAt, 2u);
        QVERIFY2(pages > 5, qPrintable(QString::number(pages)));
        QVERIFY(mainWindow.isEnabled());
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(job.WrittenFile().isEmpty());
    }

    // A file named in the print dialog itself is used as it is: no second
    // question, and the job says where it wrote.
    void fileNamedInThePrintDialog() {
        TempSettings settings;
        CCalcView view;
        view.ReplaceText(QStringLiteral("6*7 = 42;"));
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("typed.pdf"));
        ScriptedFiles files;
        QString proposed;
        const auto previous = CCalcPrintDialog::SetChooser([&](CCalcPrintDialog& dialog) {
            proposed = dialog.Printer().docName();
            dialog.Printer().setOutputFileName(pdf);
            return IDOK;
        });
        const auto factory = CCalcPrintJob::SetProgressFactory({});
        CCalcPrintJob job(view, QStringLiteral("sums.tvc"), QString(), nullptr);
        const CCalcPrintJob::Outcome outcome = job.Run(true);
        CCalcPrintDialog::SetChooser(previous);
        CCalcPrintJob::SetProgressFactory(factory);
        QCOMPARE(outcome, CCalcPrintJob::Outcome::Printed);
        QCOMPARE(proposed, "sums.tvc");  // the dialog's proposal follows it
        QCOMPARE(files.seen.size(), 0);
        QCOMPARE(job.WrittenFile(), pdf);
        QVERIFY(ReadFile(pdf).startsWith("%PDF"));
    }

    // Without any printer a job without the dialog writes NAME.pdf beside
    // the document, or the first free "NAME (n).pdf"; nothing there is ever
    // replaced. A file that cannot be written is reported as such.
    void fallbackPdfNeverReplaces_data() {
        QTest::addColumn<QStringList>("there");  // a trailing "/" makes a folder
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("free") << QStringList{} << "big.pdf"
                              << "";
        QTest::newRow("taken") << QStringList{"big.pdf"} << "big (2).pdf"
                               << "";
        QTest::newRow("taken, and a folder")
            << QStringList{"big.pdf", "big (2).pdf/"} << "big (3).pdf"
            << "";
        QTest::newRow("no such folder") << QStringList{"gone/"} << ""
                                        << "%1/gone/missing/big.pdf contains an incorrect path.";
    }
    void fallbackPdfNeverReplaces() {
        QFETCH(QStringList, there);
        QFETCH(QString, written);
        QFETCH(QString, message);
        TempSettings settings;
        CCalcView view;
        view.ReplaceText(QStringLiteral("6*7 = 42;"));
        QTemporaryDir folder;
        for (const QString& name : there) {
            if (name.endsWith(u'/'))
                QVERIFY(QDir(folder.path()).mkpath(name));
            else
                WriteFile(folder.filePath(name), "mine");
        }
        ScriptedMessages messages;
        const auto factory = CCalcPrintJob::SetProgressFactory({});
        CCalcPrintJob job(view, QStringLiteral("big.tvc"), folder.filePath("big.tvc"), nullptr);
        job.SetFallbackPdf(folder.filePath(message.isEmpty()
                                               ? QStringLiteral("big.pdf")
                                               : QStringLiteral("gone/missing/big.pdf")));
        const CCalcPrintJob::Outcome outcome = job.Run(false);
        CCalcPrintJob::SetProgressFactory(factory);

        for (const QString& name : there)
            if (!name.endsWith(u'/')) QCOMPARE(ReadFile(folder.filePath(name)), "mine");
        if (message.isEmpty()) {
            QCOMPARE(outcome, CCalcPrintJob::Outcome::Printed);
            QCOMPARE(job.WrittenFile(), folder.filePath(written));
            QVERIFY(ReadFile(job.WrittenFile()).startsWith("%PDF"));
            QCOMPARE(CCalcPrintJob::WrittenMessage(job.WrittenFile()),
                     "Printed into " + QDir::toNativeSeparators(folder.filePath(written)));
            QVERIFY(messages.asked.isEmpty());
        } else {
            QCOMPARE(outcome, CCalcPrintJob::Outcome::Failed);
            QVERIFY(job.WrittenFile().isEmpty());
            QCOMPARE(messages.Texts(), QStringList{message.arg(folder.path())});
            QCOMPARE(messages.asked[0].type, MB_OK | MB_ICONEXCLAMATION);
        }
    }

    void numberedNames_data() {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << "/d/big.pdf" << 1 << "/d/big.pdf";
        QTest::newRow("second") << "/d/big.pdf" << 2 << "/d/big (2).pdf";
        QTest::newRow("dots in the name") << "/d/v1.2 sums.pdf" << 12 << "/d/v1.2 sums (12).pdf";
        QTest::newRow("no suffix") << "/d/big" << 3 << "/d/big (3)";
    }
    void numberedNames() {
        QFETCH(QString, wanted);
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(CCalcPrintJob::NumberedName(wanted, number), name);
    }

    // How the scheduler's answers about a job decide it.
    void jobStates_data() {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("decided");
        using CupsJobs::JobState;
        QTest::newRow("pending") << true << true << 3 << int(JobState::Waiting);
        QTest::newRow("held") << true << true << 4 << int(JobState::Waiting);
        QTest::newRow("printing") << true << true << 5 << int(JobState::Accepted);
        QTest::newRow("cancelled") << true << true << 7 << int(JobState::Refused);
        QTest::newRow("aborted") << true << true << 8 << int(JobState::Refused);
        QTest::newRow("completed") << true << true << 9 << int(JobState::Accepted);
        QTest::newRow("out of the history") << true << false << 0 << int(JobState::Accepted);
        QTest::newRow("the queue is gone") << false << false << 0 << int(JobState::Refused);
    }
    void jobStates() {
        QFETCH(bool, answered);
        QFETCH(bool, found);
        QFETCH(int, state);
        QFETCH(int, decided);
        QCOMPARE(int(CupsJobs::Decide(answered, found, state)), decided);
    }

    // A queue that refuses jobs (private scheduler only): the job fails with
    // the printing message instead of passing for printed.
    void refusingQueue() {
        if (qEnvironmentVariable("NUMERA_PDF_OUT").isEmpty()) QSKIP("no private scheduler");
        PrinterSelection::SetLister(previousLister_);
        TempSettings settings;
        CCalcView view;
        view.ReplaceText(QStringLiteral("6*7 = 42;"));
        QVERIFY(QProcess::execute(QStringLiteral("cupsreject"), {QStringLiteral("NumeraPDF")}) ==
                0);
        ScriptedMessages messages;
        const auto factory = CCalcPrintJob::SetProgressFactory({});
        CCalcPrintJob job(view, QStringLiteral("refused.tvc"), QString(), nullptr);
        job.SetNamedPrinter({QStringLiteral("NumeraPDF"), QStringLiteral("CUPS"), QString()});
        const CCalcPrintJob::Outcome outcome = job.Run(false);
        CCalcPrintJob::SetProgressFactory(factory);
        QProcess::execute(QStringLiteral("cupsaccept"), {QStringLiteral("NumeraPDF")});
        QCOMPARE(outcome, CCalcPrintJob::Outcome::Failed);
        QCOMPARE(messages.Texts(), QStringList{"The printing was cancelled."});
    }

private:
    PrinterSelection::Lister previousLister_;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
