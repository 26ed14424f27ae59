// numera_texts FILE.ts: builds the program's windows and runs its text tables
// offscreen, then reports every shown text that FILE.ts cannot translate.
//
// Two lists are checked against the file's <source> entries:
//  - every lookup the program makes through QCoreApplication::translate
//    (caught by a recording translator), by context and source: the string
//    table, the message dialog, the document's file messages and file-dialog
//    filters, the panels, the main frame and its dialogs;
//  - every text the menus show (titles, items, status prompts, tool tips),
//    by source, which also catches a text that never asks for a translation.
// Exit status: 0 all found, 1 some missing, 2 usage or unreadable file.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <cstdio>
#include <set>
#include <utility>

#include "document/CCalcDoc.h"
#include "document/CCalcFileDialog.h"
#include "document/CCalcPageSetup.h"
#include "document/CCalcPrintingDialog.h"
#include "document/DocumentFiles.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "panels/KeypadTable.h"
#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcMainFrame.h"
#include "shell/CCalcPreferences.h"
#include "shell/RecentFileList.h"
#include "shell/core/StringIds.h"
#include "tests/support/TempSettings.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaStrings.h"

namespace {

using Key = std::pair<QString, QString>;  // context, source

// Answers no lookup, so the English source shows; remembers each one asked.
class RecordingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        (void)disambiguation;
        (void)n;
        if (context != nullptr && source != nullptr)
            asked.insert({QString::fromUtf8(context), QString::fromUtf8(source)});
        return QString();
    }
    bool isEmpty() const override { return false; }

    mutable std::set<Key> asked;
};

// Qt's own widgets ask under their class names (QShortcut, QLineEdit, ...);
// those translations come with Qt.
bool IsQtContext(const QString& context) {
    return context.size() > 1 && context[0] == u'Q' && context[1].isUpper();
}

struct TsFile {
    std::set<Key> entries;
    QSet<QString> sources;
};

bool ReadTs(const QString& path, TsFile& ts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            const QString source = xml.readElementText();
            ts.entries.insert({context, source});
            ts.sources.insert(source);
        }
    }
    return !xml.hasError();
}

QString Shown(QString text) { return text.replace(u'\n', QStringLiteral("\\n")); }

// Titles, items, prompts and own tool tips of a menu and its submenus.
void CollectMenu(const QMenu* menu, const QString& path, QList<Key>& shown) {
    shown.append({path, menu->title()});
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (action->menu() != nullptr) {
            CollectMenu(action->menu(), path + u'>' + action->menu()->title(), shown);
            continue;
        }
        // The recent-file items show paths and stay hidden without any.
        if (!action->isVisible()) continue;
        shown.append({path, action->text()});
        if (!action->statusTip().isEmpty())
            shown.append({path + QStringLiteral(" prompt"), action->statusTip()});
        // Without a tool tip of its own an action shows its text, stripped.
        const QAction plain(action->text());
        if (action->toolTip() != plain.toolTip())
            shown.append({path + QStringLiteral(" tip"), action->toolTip()});
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: numera_texts FILE.ts\n");
        return 2;
    }
    TsFile ts;
    if (!ReadTs(QString::fromLocal8Bit(argv[1]), ts) || ts.entries.empty()) {
        std::fprintf(stderr, "numera_texts: cannot read %s\n", argv[1]);
        return 2;
    }

    // The windows read and write their settings; keep them away from the user's.
    TempSettings settings;

    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);

    QStringList missing;
    // The string table: every row, the toolkit's included, through LoadString.
    std::set<Key> tableRows;
    for (const auto table : {StringTable(), TaStringTable()}) {
        for (const StringEntry& entry : table) {
            tableRows.insert({QString::fromUtf8(kStringsContext), QString::fromUtf8(entry.source)});
            if (LoadString(entry.id).isEmpty())
                missing << QStringLiteral("string %1 loads no text").arg(entry.id);
        }
    }
    DocTemplate::WindowTitle();
    DocTemplate::DocumentName();

    // The message dialog: captions of every kind, buttons of every button set.
    TaFonts fonts;
    fonts.Load();
    for (unsigned icon : {MB_ICONSTOP, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION}) {
        for (unsigned buttons = MB_OK; buttons <= MB_CANCELTRYCONTINUE; ++buttons) {
            TaMessageDialog dialog(QStringLiteral("?"), icon | buttons, 0, fonts);
            dialog.Initialize();
            if (!ts.sources.contains(dialog.windowTitle()))
                missing << QStringLiteral("message caption: %1").arg(dialog.windowTitle());
            for (int i = 0; i < dialog.ButtonCount(); ++i)
                if (!ts.sources.contains(dialog.Button(i)->Text()))
                    missing << QStringLiteral("message button: %1").arg(dialog.Button(i)->Text());
        }
    }

    // The document's file messages, every cause, opening and saving.
    for (int cause = 0; cause <= static_cast<int>(FileErrorCause::Other); ++cause) {
        FileErrorMessage(static_cast<FileErrorCause>(cause), QStringLiteral("a.tvc"), true);
        FileErrorMessage(static_cast<FileErrorCause>(cause), QStringLiteral("a.tvc"), false);
    }
    FileTooLargeMessage(QStringLiteral("a.tvc"));
    // The file dialogs' filter descriptions.
    for (const QString* filter :
         {&CCalcFileDialog::kCalculationFilter, &CCalcFileDialog::kMemoryLoadFilter,
          &CCalcFileDialog::kMemorySaveFilter})
        CCalcFileDialog::NameFilters(*filter);

    // Panel texts built from tables.
    for (uint32_t unit = 0; unit < 3; ++unit) TrigonometricUnitPaneText(unit);
    TrigonometricUnitToolbarItems();
    for (int index = 0; index < Keypad::ButtonCount; ++index)
        for (int notation : {Keypad::West, Keypad::East})
            Keypad::AccessibleName(index, notation, true);

    // The main frame with its panels and menus, and its dialogs.
    QList<Key> menuTexts;
    {
        CRecentFileList recent;
        CCalcDoc document;
        CCalcMainFrame frame(&document, &recent);
        for (QAction* action : frame.menuBar()->actions())
            if (action->menu() != nullptr)
                CollectMenu(action->menu(), action->menu()->title(), menuTexts);
        CCalcPreferences preferences(&frame);
        CCalcAboutDialog about(fonts, &frame);
        PrintSettings printSettings;
        CCalcPageSetup pageSetup(printSettings, PrinterSelection(), &frame);
        for (unsigned pages : {CCalcPrintingDialog::kPagesUnknown, 2u}) {
            CCalcPrintingDialog printing("a.tvc", "P", "ipp://p", pages, fonts, &frame);
            printing.Initialize();
        }
    }
    for (const Key& text : menuTexts)
        if (!ts.sources.contains(text.second))
            missing << QStringLiteral("menu %1: %2").arg(text.first, text.second);

    QCoreApplication::removeTranslator(&recorder);
    int asked = 0;
    for (const Key& key : recorder.asked) {
        if (IsQtContext(key.first)) continue;
        ++asked;
        if (ts.entries.count(key) == 0)
            missing << QStringLiteral("%1: %2").arg(key.first, key.second);
    }
    // A recorder that saw nothing, or a table that skips translate, would pass anything.
    for (const Key& row : tableRows)
        if (recorder.asked.count(row) == 0)
            missing << QStringLiteral("string table row not translated at use: %1").arg(row.second);

    for (const QString& line : missing) std::printf("missing %s\n", qPrintable(Shown(line)));
    std::printf("%d texts asked for, %lld menu texts, %lld missing from %s\n", asked,
                static_cast<long long>(menuTexts.size()), static_cast<long long>(missing.size()),
                argv[1]);
    return missing.isEmpty() ? 0 : 1;
}
