// The printer selection's blocks and their persistence, the page setup
// dialog's rules, and the printing window's texts and repainting.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QtEndian>

#include "document/CCalcFontDialog.h"
#include "document/CCalcPageSetup.h"
#include "document/CCalcPrintingDialog.h"
#include "document/PrinterSelection.h"
#include "shell/core/MessageBox.h"
#include "tests/document/ScriptedUi.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaStatic.h"

namespace {

// The system's printers as the tests want them.
class ScriptedPrinters {
public:
    explicit ScriptedPrinters(QList<PrinterQueue> queues)
        : previous_(PrinterSelection::SetLister([queues] { return queues; })) {}
    ~ScriptedPrinters() { PrinterSelection::SetLister(std::move(previous_)); }

private:
    PrinterSelection::Lister previous_;
};

const QList<PrinterQueue> kTwoQueues = {{"Office", "ipp://office/q", true},
                                        {"Lab", "socket://lab:9100", false}};

QByteArray ModeBlock(int size, quint32 fields, int copies) {
    QByteArray block(size, '\0');
    if (size >= 88) {
        qToLittleEndian<quint32>(fields, block.data() + PrinterMode::FieldsOffset);
        qToLittleEndian<quint16>(copies, block.data() + PrinterMode::CopiesOffset);
    }
    return block;
}

int CopiesIn(const QByteArray& mode) {
    return qFromLittleEndian<quint16>(mode.constData() + PrinterMode::CopiesOffset);
}

QString Description(const CCalcPageSetup& dialog, int id) {
    return static_cast<QLineEdit*>(dialog.Control(id))->text();
}
bool Checked(const CCalcPageSetup& dialog, int id) {
    return static_cast<QCheckBox*>(dialog.Control(id))->isChecked();
}
QComboBox* List(const CCalcPageSetup& dialog, int id) {
    return static_cast<QComboBox*>(dialog.Control(id));
}

}  // namespace

class TestPrintSetup : public QObject {
    Q_OBJECT

private slots:
    void init() { TaDialog::SetAnimationsEnabled(false); }
    void cleanup() { CCalcPageSetup::SetMeasurementSystem(std::nullopt); }

    void namesBlockBytes() {
        const QByteArray names = PrinterSelection::BuildNames("CUPS", "Office", "ipp://o", 1);
        // Offsets 4, 9 and 16 units; 2 x (4 + 6 + 7) + 14 bytes.
        const QByteArray expected = Bytes({4, 0, 9, 0, 16, 0, 1, 0}) +
                                    Utf16File(QString("CUPS") + QChar(0), false) +
                                    Utf16File(QString("Office") + QChar(0), false) +
                                    Utf16File(QString("ipp://o") + QChar(0), false);
        QCOMPARE(names.size(), 48);
        QCOMPARE(names, expected);
        PrinterSelection selection;
        selection.Set(names, QByteArray());
        QCOMPARE(selection.Driver(), QString("CUPS"));
        QCOMPARE(selection.Device(), QString("Office"));
        QCOMPARE(selection.Output(), QString("ipp://o"));
        QCOMPARE(selection.DefaultFlag(), 1);
    }

    void modeBlockLayout() {
        PrinterMode mode;
        mode.device = "Office";
        mode.fields = PrinterMode::Orientation | PrinterMode::PaperSize | PrinterMode::Copies |
                      PrinterMode::Color | PrinterMode::Duplex | PrinterMode::YResolution;
        mode.pageSize = QPageSize(QPageSize::A4);
        mode.orientation = QPageLayout::Landscape;
        mode.copies = 3;
        mode.duplex = QPrinter::DuplexShortSide;
        mode.colorMode = QPrinter::GrayScale;
        mode.resolution = 600;
        const QByteArray block = mode.Encode();
        QCOMPARE(block.size(), 220);
        const auto at = [&block](int offset) {
            return qFromLittleEndian<quint16>(block.constData() + offset);
        };
        QCOMPARE(block.left(12), Utf16File("Office", false));
        QCOMPARE(at(68), 220);                                                  // size
        QCOMPARE(qFromLittleEndian<quint32>(block.constData() + 72), 0x3903u);  // field mask
        QCOMPARE(at(76), 2);                                                    // landscape
        QCOMPARE(at(78), 9);                                                    // A4's paper number
        QCOMPARE(at(80), 2970);                                                 // length, 1/10 mm
        QCOMPARE(at(82), 2100);
        QCOMPARE(at(86), 3);  // copies
        QCOMPARE(at(92), 1);  // monochrome
        QCOMPARE(at(94), 3);  // short edge
        QCOMPARE(at(96), 600);
        // Every field comes back as written.
        QCOMPARE(PrinterMode::Decode(block).Encode(), block);
    }

    // The selection set on a printer, and taken back from one.
    void configurePrinter_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("configured");
        QTest::newRow("listed queue") << "Lab"
                                      << "socket://lab:9100" << true;
        QTest::newRow("print file") << "Lab"
                                    << "/tmp/out.pdf" << true;
        QTest::newRow("queue gone") << "Gone"
                                    << "ipp://gone" << false;
    }
    void configurePrinter() {
        QFETCH(QString, device);
        QFETCH(QString, output);
        QFETCH(bool, configured);
        ScriptedPrinters printers(kTwoQueues);
        PrinterMode mode;
        mode.fields = PrinterMode::Orientation | PrinterMode::PaperSize | PrinterMode::Copies;
        mode.pageSize = QPageSize(QPageSize::A5);
        mode.orientation = QPageLayout::Landscape;
        mode.copies = 2;
        PrinterSelection selection;
        selection.Set(PrinterSelection::BuildNames("CUPS", device, output, 0), mode.Encode());
        QPrinter printer;
        QCOMPARE(selection.ConfigurePrinter(printer), configured);
        if (!configured) return;
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(printer.pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
        QCOMPARE(printer.copyCount(), 2);
        QCOMPARE(printer.outputFileName(), output.startsWith('/') ? output : QString());
        // Back from the printer (the fake queue is unknown to Qt: only the file).
        if (!output.startsWith('/')) return;
        PrinterSelection taken;
        taken.TakeFrom(printer);
        QCOMPARE(taken.Output(), output);
        QCOMPARE(taken.DecodedMode().orientation, QPageLayout::Landscape);
        QCOMPARE(taken.DecodedMode().copies, 2);
    }

    void restoreRules_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("modeSize");
        QTest::addColumn<int>("fields");
        QTest::addColumn<bool>("preselected");
        QTest::addColumn<bool>("names");
        QTest::addColumn<int>("restoredMode");  // its size, 0 for none
        QTest::addColumn<int>("copies");
        QTest::newRow("all of it, copies reset")
            << "Office"
            << "CUPS"
            << "ipp://o" << 220 << 0x101 << false << true << 220 << 1;
        QTest::newRow("no copies field keeps them")
            << "Office"
            << "CUPS"
            << "ipp://o" << 220 << 0x1 << false << true << 220 << 4;
        QTest::newRow("output missing") << "Office"
                                        << "CUPS"
                                        << "" << 220 << 0x100 << false << false << 220 << 1;
        QTest::newRow("driver missing") << "Office"
                                        << ""
                                        << "ipp://o" << 0 << 0 << false << false << 0 << 0;
        QTest::newRow("mode of 219") << "Office"
                                     << "CUPS"
                                     << "ipp://o" << 219 << 0x100 << false << true << 0 << 0;
        QTest::newRow("mode of 221") << "Office"
                                     << "CUPS"
                                     << "ipp://o" << 221 << 0x100 << false << true << 0 << 0;
        QTest::newRow("a selection is there")
            << "Office"
            << "CUPS"
            << "ipp://o" << 220 << 0x100 << true << true << 220 << 7;
    }
    void restoreRules() {
        QFETCH(QString, device);
        QFETCH(QString, driver);
        QFETCH(QString, output);
        QFETCH(int, modeSize);
        QFETCH(int, fields);
        QFETCH(bool, preselected);
        QFETCH(bool, names);
        QFETCH(int, restoredMode);
        QFETCH(int, copies);
        TempSettings temp;
        {
            auto store = TempSettings::Open("Print");
            for (const auto& [key, value] :
                 {std::pair{"Device", device}, {"Driver", driver}, {"Output", output}})
                if (!value.isEmpty()) store->setValue(key, value);
            store->setValue("Default", 1);
            if (modeSize > 0) store->setValue("Mode", ModeBlock(modeSize, fields, 4));
        }
        PrinterSelection selection;
        const QByteArray before = PrinterSelection::BuildNames("CUPS", "Lab", "lpd://lab", 0);
        if (preselected) selection.Set(before, ModeBlock(220, 0x100, 7));
        auto store = TempSettings::Open(QString());
        selection.Restore(*store);
        QCOMPARE(selection.Names(), preselected ? before
                                    : names
                                        ? PrinterSelection::BuildNames(driver, device, output, 1)
                                        : QByteArray());
        QCOMPARE(selection.Mode().size(), restoredMode);
        if (restoredMode > 0) QCOMPARE(CopiesIn(selection.Mode()), copies);
    }

    void saveOnlyBothBlocks_data() {
        QTest::addColumn<bool>("withNames");
        QTest::addColumn<bool>("withMode");
        QTest::newRow("both") << true << true;
        QTest::newRow("names only") << true << false;
        QTest::newRow("mode only") << false << true;
    }
    void saveOnlyBothBlocks() {
        QFETCH(bool, withNames);
        QFETCH(bool, withMode);
        TempSettings temp;
        PrinterSelection selection;
        const QByteArray names = PrinterSelection::BuildNames("CUPS", "Lab", "socket://lab", 0);
        const QByteArray mode = ModeBlock(220, 0x100, 2);
        selection.Set(withNames ? names : QByteArray(), withMode ? mode : QByteArray());
        selection.Save(*TempSettings::Open(QString()));

        auto store = TempSettings::Open("Print");
        const bool saved = withNames && withMode;
        QCOMPARE(store->childKeys().size(), saved ? 5 : 0);
        if (!saved) return;
        QCOMPARE(store->value("Device").toString(), QString("Lab"));
        QCOMPARE(store->value("Driver").toString(), QString("CUPS"));
        QCOMPARE(store->value("Output").toString(), QString("socket://lab"));
        QCOMPARE(store->value("Default").toInt(), 0);
        QCOMPARE(store->value("Mode").toByteArray(), mode);
        // And back, the copies reset.
        PrinterSelection restored;
        restored.Restore(*TempSettings::Open(QString()));
        QCOMPARE(restored.Names(), names);
        QCOMPARE(CopiesIn(restored.Mode()), 1);
    }

    // First use: the defaults in both unit systems.
    void firstUse_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QList<int>>("fields");  // left, top, right, bottom
        QTest::newRow("metric") << true << QList<int>{2500, 1500, 1500, 1500};
        QTest::newRow("inches") << false << QList<int>{984, 591, 591, 591};
    }
    void firstUse() {
        QFETCH(bool, metric);
        QFETCH(QList<int>, fields);
        ScriptedPrinters none({});
        CCalcPageSetup::SetMeasurementSystem(metric ? QLocale::MetricSystem
                                                    : QLocale::ImperialUSSystem);
        PrintSettings settings;
        CCalcPageSetup dialog(settings, PrinterSelection(), nullptr);
        QCOMPARE(Description(dialog, CCalcPageSetup::IdTextDescription),
                 QString("Courier New 12 pt"));
        QCOMPARE(Description(dialog, CCalcPageSetup::IdServiceDescription),
                 QString("Times New Roman 10 pt, italic"));
        for (int id : {CCalcPageSetup::IdTextDefault, CCalcPageSetup::IdServiceDefault,
                       CCalcPageSetup::IdFileInfo, CCalcPageSetup::IdDate, CCalcPageSetup::IdTime,
                       CCalcPageSetup::IdNumber})
            QVERIFY2(Checked(dialog, id), qPrintable(QString::number(id)));
        QCOMPARE(List(dialog, CCalcPageSetup::IdNumberFormat)->currentText(), QString("n of N"));
        QCOMPARE(List(dialog, CCalcPageSetup::IdPosition)->currentText(), QString("Footer right"));
        QVERIFY(List(dialog, CCalcPageSetup::IdPosition)->isEnabled());
        // No printer: nothing to keep the paper in, and none to choose.
        QVERIFY(!dialog.Control(CCalcPageSetup::IdPaperSize)->isEnabled());
        QVERIFY(!dialog.Control(CCalcPageSetup::IdPrinter)->isEnabled());
        const QList<int> shown = {
            dialog.MarginField(CCalcPageSetup::Left), dialog.MarginField(CCalcPageSetup::Top),
            dialog.MarginField(CCalcPageSetup::Right), dialog.MarginField(CCalcPageSetup::Bottom)};
        QCOMPARE(shown, fields);
        // Every Alt key reaches one control only.
        QMap<QChar, QString> keys;
        QStringList texts;
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            texts << button->text();
        for (QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
        for (const QString& text : texts) {
            const qsizetype at = text.indexOf(u'&');
            if (at < 0 || at + 1 >= text.size()) continue;
            const QChar key = text[at + 1].toLower();
            QVERIFY2(!keys.contains(key), qPrintable(keys.value(key) + " and " + text));
            keys.insert(key, text);
        }
        QVERIFY(keys.size() >= 14);
        // A changed field goes back in its unit.
        dialog.SetMarginField(CCalcPageSetup::Left, 1000);
        dialog.accept();
        QCOMPARE(settings.marginLeft, metric ? 100000 : 254000);
        QCOMPARE(settings.marginTop, metric ? 150000 : 591 * 254);
    }

    // Items in, the lists as they open, one change, Items out.
    void itemsRebuilt_data() {
        QTest::addColumn<int>("itemsIn");
        QTest::addColumn<int>("shownFormat");
        QTest::addColumn<int>("shownPosition");
        QTest::addColumn<int>("setFormat");  // -2: untouched
        QTest::addColumn<int>("setPosition");
        QTest::addColumn<bool>("number");
        QTest::addColumn<int>("itemsOut");
        QTest::newRow("Header center") << 431 << 2 << 3 << -2 << 0 << true << 47;
        QTest::newRow("format n") << 431 << 2 << 3 << 0 << -2 << true << 399;
        QTest::newRow("format field 3: no choice") << 447 << -1 << 3 << -2 << -2 << true << 431;
        QTest::newRow("format field 5 opens as n of N") << 479 << 2 << 3 << -2 << -2 << true << 431;
        QTest::newRow("position field 4: no choice") << 559 << 2 << -1 << -2 << -2 << true << 431;
        QTest::newRow("position field 6 opens as Footer right")
            << 815 << 2 << 3 << -2 << -2 << true << 431;
        QTest::newRow("Number off") << 431 << 2 << 3 << -2 << -2 << false << 423;
    }
    void itemsRebuilt() {
        QFETCH(int, itemsIn);
        QFETCH(int, shownFormat);
        QFETCH(int, shownPosition);
        QFETCH(int, setFormat);
        QFETCH(int, setPosition);
        QFETCH(bool, number);
        QFETCH(int, itemsOut);
        ScriptedPrinters none({});
        PrintSettings settings;
        settings.items = itemsIn;
        CCalcPageSetup dialog(settings, PrinterSelection(), nullptr);
        QComboBox* format = List(dialog, CCalcPageSetup::IdNumberFormat);
        QComboBox* position = List(dialog, CCalcPageSetup::IdPosition);
        QCOMPARE(format->currentIndex(), shownFormat);
        QCOMPARE(position->currentIndex(), shownPosition);
        if (setFormat != -2) format->setCurrentIndex(setFormat);
        if (setPosition != -2) position->setCurrentIndex(setPosition);
        static_cast<QCheckBox*>(dialog.Control(CCalcPageSetup::IdNumber))->click();
        if (number) static_cast<QCheckBox*>(dialog.Control(CCalcPageSetup::IdNumber))->click();
        QCOMPARE(format->isEnabled(), number);
        QCOMPARE(position->isEnabled(), number);
        dialog.accept();
        QCOMPARE(settings.items, itemsOut);
    }

    // Stored fonts, the marks and descriptions they open with, Select... and
    // Default, and what OK keeps.
    void fonts() {
        TempSettings temp;
        {
            auto store = TempSettings::Open("Print");
            store->setValue("TextFontItalic", 2);       // counts as 1
            store->setValue("ServiceFontItalic", 256);  // low byte 0
        }
        PrintSettings settings;
        settings.Load(*TempSettings::Open(QString()));
        ScriptedPrinters none({});
        const auto previous = CCalcFontDialog::SetChooser([](const QFont&) {
            return std::optional<QFont>(QFont("DejaVu Sans", 14, QFont::Bold, false));
        });
        CCalcPageSetup dialog(settings, PrinterSelection(), nullptr);
        QCOMPARE(Description(dialog, CCalcPageSetup::IdTextDescription),
                 QString("Courier New 12 pt, italic"));
        QCOMPARE(Description(dialog, CCalcPageSetup::IdServiceDescription),
                 QString("Times New Roman 10 pt"));
        QVERIFY(!Checked(dialog, CCalcPageSetup::IdTextDefault));
        QVERIFY(!Checked(dialog, CCalcPageSetup::IdServiceDefault));

        static_cast<QPushButton*>(dialog.Control(CCalcPageSetup::IdServiceSelect))->click();
        QCOMPARE(Description(dialog, CCalcPageSetup::IdServiceDescription),
                 QString("DejaVu Sans 14 pt, bold"));
        static_cast<QCheckBox*>(dialog.Control(CCalcPageSetup::IdTextDefault))->click();
        QCOMPARE(Description(dialog, CCalcPageSetup::IdTextDescription),
                 QString("Courier New 12 pt"));
        QVERIFY(Checked(dialog, CCalcPageSetup::IdTextDefault));
        CCalcFontDialog::SetChooser(previous);

        dialog.accept();
        QCOMPARE(settings.textFont, PrintSettings::DefaultTextFont());
        QCOMPARE(settings.serviceFont, (PrintFont{"DejaVu Sans", 14, 700, false}));
    }

    // File, Page Setup: a stored printer that is gone gives way to the
    // default one; "Printer..." and the paper come back on OK and Cancel.
    void pageSetupCommand_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("chosen");  // by "Printer...", empty for none
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("defaultFlag");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("none yet: the default") << ""
                                               << "" << true << "Office"
                                               << "ipp://office/q" << 1 << true;
        QTest::newRow("gone: reopened on the default") << "Gone"
                                                       << "" << false << "Office"
                                                       << "ipp://office/q" << 1 << false;
        QTest::newRow("another printer, Cancel keeps it") << "Office"
                                                          << "Lab" << false << "Lab"
                                                          << "socket://lab:9100" << 0 << false;
        QTest::newRow("another printer, OK") << "Office"
                                             << "Lab" << true << "Lab"
                                             << "socket://lab:9100" << 0 << true;
    }
    void pageSetupCommand() {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(bool, ok);
        QFETCH(QString, device);
        QFETCH(QString, output);
        QFETCH(int, defaultFlag);
        QFETCH(bool, landscape);
        ScriptedPrinters printers(kTwoQueues);
        PrinterSelection selection;
        if (!stored.isEmpty())
            selection.Set(PrinterSelection::BuildNames("CUPS", stored, "ipp://x", 0), QByteArray());
        const auto previousChooser = CCalcPageSetup::SetPrinterChooser(
            [chosen](const QStringList& queues, const QString&) -> std::optional<QString> {
                if (queues != QStringList{"Office", "Lab"} || chosen.isEmpty()) return {};
                return chosen;
            });
        QStringList opened;
        const auto previousRunner =
            CCalcPageSetup::SetRunner([&opened, ok](CCalcPageSetup& dialog) {
                opened.append(dialog.Selection().Device());
                static_cast<QPushButton*>(dialog.Control(CCalcPageSetup::IdPrinter))->click();
                static_cast<QRadioButton*>(dialog.Control(CCalcPageSetup::IdLandscape))->click();
                if (ok)
                    dialog.accept();
                else
                    dialog.reject();
                return dialog.result();
            });
        PrintSettings settings;
        CCalcPageSetup::Run(nullptr, settings, selection);
        CCalcPageSetup::SetRunner(previousRunner);
        CCalcPageSetup::SetPrinterChooser(previousChooser);

        QCOMPARE(opened, QStringList{stored == "Gone" || stored.isEmpty() ? "Office" : stored});
        QCOMPARE(selection.Device(), device);
        QCOMPARE(selection.Driver(), QString("CUPS"));
        QCOMPARE(selection.Output(), output);
        QCOMPARE(selection.DefaultFlag(), defaultFlag);
        QCOMPARE(selection.Mode().size(), 220);
        QCOMPARE(selection.DecodedMode().device, device);
        QCOMPARE(selection.DecodedMode().orientation,
                 landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    }

    // The printing window: its labels, and a new count drawn over the old one.
    void printingWindow_data() {
        QTest::addColumn<unsigned>("pages");
        QTest::addColumn<QString>("pageLabel");
        QTest::newRow("3 pages") << 3u << "Of 3 page   ";
        QTest::newRow("no count") << 0u << "Page   ";
        QTest::newRow("open end") << 65534u << "Page   ";
    }
    void printingWindow() {
        QFETCH(unsigned, pages);
        QFETCH(QString, pageLabel);
        CCalcPrintingDialog dialog("sums.tvc", "Office", "ipp://office/q", pages,
                                   ApplicationFonts(), nullptr);
        dialog.ShowProgress();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QString("Printing"));
        using D = CCalcPrintingDialog;
        QCOMPARE(dialog.Label(D::IdDocumentLabel)->Text(), QString("Document   "));
        QCOMPARE(dialog.Label(D::IdPageLabel)->Text(), pageLabel);
        QCOMPARE(dialog.Label(D::IdPrinterLabel)->Text(), QString("Printer   "));
        QCOMPARE(dialog.Label(D::IdPortLabel)->Text(), QString("Port   "));
        QStringList values;
        for (int id = D::IdDocument; id <= D::IdPort; ++id) {
            values.append(dialog.Value(id)->Text());
            // Right-aligned labels end where their values begin.
            const TaStatic* label = dialog.Label(id - D::IdDocument + D::IdDocumentLabel);
            QCOMPARE(label->x() + label->width(), dialog.Value(id)->x());
        }
        QCOMPARE(values, (QStringList{"sums.tvc", "1", "Office", "ipp://office/q"}));

        // The client area only: the caption follows which window is active.
        dialog.grab();  // the window as first drawn
        const QImage first = dialog.BackBuffer().copy(dialog.ClientRect());
        dialog.SetPrinted(12);
        QCOMPARE(dialog.Value(D::IdPage)->Text(), QString("12"));
        QVERIFY(dialog.Value(D::IdPage)->Dirty());
        dialog.grab();  // draws what changed into the back buffer
        QVERIFY(!dialog.Value(D::IdPage)->Dirty());
        const QImage changed = dialog.BackBuffer().copy(dialog.ClientRect());
        QVERIFY(changed != first);
        dialog.SetPrinted(12);  // the same count is not drawn again
        QVERIFY(!dialog.Value(D::IdPage)->Dirty());
        // Nothing of the old count is left: as if it had shown 12 from the start.
        CCalcPrintingDialog fresh("sums.tvc", "Office", "ipp://office/q", pages, ApplicationFonts(),
                                  nullptr);
        fresh.SetPrinted(12);
        fresh.ShowProgress();
        fresh.grab();
        QCOMPARE(changed, fresh.BackBuffer().copy(fresh.ClientRect()));

        // With the opening animation on, the job's first page waits until
        // the window has grown whole.
        TaDialog::SetAnimationsEnabled(true);
        CCalcPrintingDialog animated("sums.tvc", "Office", "ipp://office/q", pages,
                                     ApplicationFonts(), nullptr);
        animated.ShowProgress();
        TaDialog::SetAnimationsEnabled(false);
        QCOMPARE(animated.property("reveal").toReal(), 1.0);
        animated.CloseProgress();

        // Closing for the job is no cancellation; Cancel is, and closes.
        fresh.CloseProgress();
        QVERIFY(!fresh.isVisible());
        QVERIFY(!fresh.UserAborted());
        emit dialog.CancelButton()->Command(D::IdCancel);
        QVERIFY(dialog.UserAborted());
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestPrintSetup)
#include "tst_printsetup.moc"
