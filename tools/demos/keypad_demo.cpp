// Shows the keypad alone and saves a picture of it, for looking at the
// drawing styles by eye.
//
//   keypad_demo [--draw 0..3] [--notation west|east] [--hot N] [--pressed N]
//               [--focus N] [--font default|system] [--faces system] [--texts system]
//               [--out file.png] [--stay]
//
// Qt's own -style windows makes the classic style reachable.
// N is a button's place in the keypad (0..63). Without --out the window
// stays open; with --stay it stays open after saving.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "document/ICmdReceiver.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CColorButton.h"
#include "tests/support/TempSettings.h"

namespace {

// Echoes what the keypad sends.
class PrintingReceiver : public ICmdReceiver {
public:
    void ExecuteCommand(int command) override { std::printf("command %d\n", command); }
    void InsertText(const QString& text) override {
        std::printf("insert \"%s\"\n", qPrintable(QString(text).replace("\r\n", "\\r\\n")));
    }
};

void Send(QWidget* target, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

int main(int argc, char** argv) {
    // Keep the user's own keypad settings out of it: every run starts from
    // the first-run defaults and writes into a scratch directory.
    TempSettings scratch;
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"draw", "Drawing style 0..3.", "style", "1"});
    parser.addOption({"notation", "west or east.", "notation", "west"});
    parser.addOption({"hot", "Button under the mouse.", "index"});
    parser.addOption({"pressed", "Button held down.", "index"});
    parser.addOption({"focus", "Button with the keyboard focus.", "index"});
    parser.addOption({"font", "default or system.", "font"});
    parser.addOption({"faces", "system: buttons take the system face colour.", "faces"});
    parser.addOption({"texts", "system: buttons take the system text colour.", "texts"});
    parser.addOption({"out", "Save a PNG here.", "file"});
    parser.addOption({"stay", "Stay open after saving."});
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Keypad"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* keypad = new CCalcKeyPad(&window);
    layout->addWidget(keypad);
    PrintingReceiver receiver;
    keypad->SetReceiver(&receiver);

    keypad->ApplyNotation(parser.value("notation").compare("east", Qt::CaseInsensitive) == 0
                              ? Keypad::East
                              : Keypad::West);
    keypad->SetStyle(parser.value("draw").toInt());
    if (parser.value("font") == QLatin1String("system")) keypad->UseSystemFont();
    if (parser.value("font") == QLatin1String("default")) keypad->UseDefaultFont();
    if (parser.value("faces") == QLatin1String("system")) keypad->UseSystemFaceColor();
    if (parser.value("texts") == QLatin1String("system")) keypad->UseSystemTextColor();

    window.show();
    window.activateWindow();

    auto button = [&](const QString& option) -> CColorButton* {
        if (!parser.isSet(option)) return nullptr;
        const int index = parser.value(option).toInt();
        return index >= 0 && index < Keypad::ButtonCount ? keypad->Button(index) : nullptr;
    };
    if (CColorButton* b = button("hot")) {
        const QPoint centre = b->rect().center();
        QEnterEvent enter(centre, b->mapTo(&window, centre), b->mapToGlobal(centre));
        QApplication::sendEvent(b, &enter);
        QMouseEvent move(QEvent::MouseMove, centre, b->mapToGlobal(centre), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b, &move);
    }

    // The focus comes last, after the pressed look.
    if (CColorButton* b = button("pressed")) Send(b, QEvent::MouseButtonPress, b->rect().center());
    if (CColorButton* b = button("focus")) {
        window.setAttribute(Qt::WA_KeyboardFocusChange);
        b->setFocus(Qt::TabFocusReason);
    } else {
        // Nobody asked for a focused button: keep the first one plain.
        QTimer::singleShot(100, &window, [] {
            if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
        });
    }

    const QString out = parser.value("out");
    if (!out.isEmpty()) {
        QTimer::singleShot(300, &window, [&] {
            if (!window.grab().save(out)) std::fprintf(stderr, "cannot save %s\n", qPrintable(out));
            if (!parser.isSet("stay")) app.quit();
        });
    }
    return app.exec();
}
