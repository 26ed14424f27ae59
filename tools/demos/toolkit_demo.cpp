// Shows one of the toolkit's dialogs over a stand-in main window, for
// looking at them (tools/screenshot-toolkit.sh).
//
//   toolkit_demo NAME [--hold MS] [--point close|default] [--no-backdrop] [--qm FILE]
//
// --qm loads a compiled translation (bin/translations/numera_ru.qm) first.
// NAME is question, warning, twolines, stop, informs, about, preferences or
// controls. The open dialog is closed with Esc after MS (default 4000).
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcPreferences.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaButtonBitmap.h"
#include "toolkit/TaCompositing.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaResources.h"

namespace {

// The three faces, loaded once.
const TaFonts& DemoFonts() {
    static TaFonts* fonts = [] {
        auto* set = new TaFonts;
        set->Load();
        return set;
    }();
    return *fonts;
}

// A window standing in for the main frame, with the toolbar images.
QMainWindow* Backdrop() {
    auto* window = new QMainWindow;
    window->setWindowTitle(QStringLiteral(" Tarvik F - Calculation"));
    window->setWindowIcon(TaProgramIcon());
    auto* bar = window->addToolBar(QStringLiteral("Toolbar"));
    bar->setIconSize(QSize(32, 32));
    const int separatorsAfter[] = {2, 3, 5, 6, 9, 12, 15};
    for (int i = 0; i < TaArt::ToolbarImageCount; ++i) {
        bar->addAction(TaToolbarIcon(i), QString::number(i));
        for (int after : separatorsAfter)
            if (after == i) bar->addSeparator();
    }
    auto* editor = new QPlainTextEdit;
    editor->setPlainText(QStringLiteral(
        "// A calculation\n2+3*4 = 14;\nsin(pi/6) = 0.5;\n(1+0.07)^10 -> mem[growth];\n"));
    window->setCentralWidget(editor);
    window->setGeometry(40, 40, 1100, 760);
    window->show();
    return window;
}

// The memory panel's round buttons, enabled and disabled, and the toolbar images.
QWidget* ControlsWindow() {
    auto* window = new QWidget;
    window->setWindowTitle(QStringLiteral("Toolkit controls"));
    auto* grid = new QGridLayout(window);
    for (int i = 0; i < 5; ++i) {
        for (int row = 0; row < 2; ++row) {
            auto* button = new TaButtonBitmap(TaArt::MemoryFree + i, window);
            button->SetFaceColor(0xFFD8D8D8);
            button->setFixedSize(button->sizeHint());
            button->setEnabled(row == 0);
            grid->addWidget(button, row, i);
        }
    }
    for (int i = 0; i < TaArt::ToolbarImageCount; ++i) {
        auto* label = new QLabel(window);
        label->setPixmap(TaToolbarIcon(i).pixmap(32, 32));
        grid->addWidget(label, 2 + i / 9, i % 9);
    }
    window->move(120, 860 - 300);
    window->show();
    return window;
}

// Puts the pointer over the close button or the default button of the
// open toolkit dialog, to show their hover looks.
void PointAt(const QString& where, int ms) {
    QTimer::singleShot(ms, [where] {
        auto* dialog = qobject_cast<TaDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        QPoint local = dialog->CloseButtonBox().center().toPoint();
        if (where == QLatin1String("default") && dialog->CurrentDefault() != nullptr) {
            const QWidget* button = dialog->CurrentDefault();
            local = button->geometry().center();
        }
        QCursor::setPos(dialog->mapToGlobal(local));
    });
}

// Presses Esc in whatever modal window is open after `ms`, then quits.
void CloseAfter(int ms) {
    QTimer::singleShot(ms, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(modal->focusWidget() ? modal->focusWidget() : modal, &press);
        }
    });
}

// args: NAME and its options, without the program's name.
int Run(int argc, char** argv) {
    if (argc < 1) {
        std::fprintf(stderr,
                     "usage: toolkit_demo NAME [--hold MS] [--point close|default] "
                     "[--no-backdrop] [--qm FILE]\n");
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[0]);
    int hold = 4000;
    bool backdrop = true;
    QString point;
    QTranslator translator;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--qm") == 0 && i + 1 < argc) {
            if (!translator.load(QString::fromLocal8Bit(argv[++i]))) {
                std::fprintf(stderr, "cannot load %s\n", argv[i]);
                return 2;
            }
            QCoreApplication::installTranslator(&translator);
        }
        if (std::strcmp(argv[i], "--point") == 0 && i + 1 < argc)
            point = QString::fromLocal8Bit(argv[++i]);
        if (std::strcmp(argv[i], "--hold") == 0 && i + 1 < argc) hold = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--no-backdrop") == 0) backdrop = false;
    }
    QWidget* owner = backdrop ? Backdrop() : nullptr;
    QApplication::processEvents();
    CloseAfter(hold);
    if (!point.isEmpty()) PointAt(point, 1200);
    std::printf("platform %s, compositing %s, dpi %d, scale %.2f\n",
                qPrintable(QGuiApplication::platformName()), TaCompositingActive() ? "yes" : "no",
                owner ? owner->logicalDpiY() : 0, owner ? owner->devicePixelRatioF() : 0.0);
    std::fflush(stdout);

    int result = 0;
    const TaFonts& fonts = DemoFonts();
    if (name == QLatin1String("question")) {
        result = TaMessageBox(owner, QStringLiteral("Save changes to \u201cCalculation\u201d?"),
                              MB_YESNOCANCEL | MB_ICONQUESTION, 0, fonts);
    } else if (name == QLatin1String("warning")) {
        result = TaMessageBox(owner, QStringLiteral("Cannot open the file for reading."),
                              MB_OK | MB_ICONEXCLAMATION, 32832, fonts);
    } else if (name == QLatin1String("twolines")) {
        result = TaMessageBox(
            owner, QStringLiteral("Only one cell is selected.\nCalculate for all cells?"),
            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 0, fonts);
    } else if (name == QLatin1String("stop")) {
        result = TaMessageBox(owner, QStringLiteral("The printer stopped."),
                              MB_RETRYCANCEL | MB_ICONSTOP, 0, fonts);
    } else if (name == QLatin1String("informs")) {
        result = TaMessageBox(owner, QStringLiteral("Done."), MB_OK, 0, fonts);
    } else if (name == QLatin1String("about")) {
        CCalcAboutDialog dialog(fonts, owner);
        result = dialog.DoModal();
    } else if (name == QLatin1String("preferences")) {
        CCalcPreferences dialog(owner);
        result = dialog.DoModal();
    } else if (name == QLatin1String("controls")) {
        QWidget* window = ControlsWindow();
        QTimer::singleShot(hold, qApp, &QApplication::quit);
        result = QApplication::exec();
        delete window;
    } else {
        std::fprintf(stderr, "unknown demo %s\n", argv[0]);
        return 2;
    }
    std::printf("result %d\n", result);
    delete owner;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("toolkit_demo"));
    DemoFonts();
    return Run(argc - 1, argv + 1);
}
