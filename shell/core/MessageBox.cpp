#include "shell/core/MessageBox.h"

#include <utility>

#include "toolkit/TaDialog.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaResources.h"

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

const TaFonts*& HandedFonts() {
    static const TaFonts* fonts = nullptr;
    return fonts;
}

std::function<void()>& PendingLoad() {
    static std::function<void()> load;
    return load;
}

}  // namespace

int AppMessageBox(const QString& text, unsigned type, unsigned helpContext) {
    if (Handler()) return Handler()(text, type, helpContext);
    return ShowMessageDialog(text, type, helpContext);
}

int ShowMessageDialog(const QString& text, unsigned type, unsigned helpContext) {
    // The message dialog beeps itself and keeps 0x10000 + id as its help id.
    return TaMessageBox(TaDialog::ActiveOwner(), text, type, helpContext, ApplicationFonts());
}

void SetApplicationFonts(const TaFonts* fonts, std::function<void()> loadFirst) {
    HandedFonts() = fonts;
    PendingLoad() = fonts ? std::move(loadFirst) : std::function<void()>();
}

const TaFonts& ApplicationFonts() {
    if (const TaFonts* fonts = HandedFonts()) {
        if (PendingLoad()) std::exchange(PendingLoad(), {})();
        return *fonts;
    }
    // Without the application (tools, tests) a set of its own, kept to the
    // end of the process.
    static const TaFonts* own = [] {
        TaInitResources();
        auto* fonts = new TaFonts;
        fonts->Load();
        return fonts;
    }();
    return *own;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
