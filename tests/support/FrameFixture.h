// A main window over a fresh document, for the tests of the shell: settings
// in a temporary directory, and the process-wide preferences, memory and last
// result as at start-up. A test class derives from it beside QObject and calls
// StartFrame in init() and StopFrame in cleanup().
#pragma once

#include <memory>

#include "document/CCalcDoc.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"
#include "panels/CCalcKeyPad.h"
#include "shell/CCalcMainFrame.h"
#include "shell/RecentFileList.h"
#include "tests/support/ProcessState.h"
#include "tests/support/TempSettings.h"

class FrameFixture {
protected:
    void StartFrame() {
        settings_ = std::make_unique<TempSettings>();
        ResetProcessState();
        PreferencesChanged = false;
        recent_ = std::make_unique<CRecentFileList>();
        NewFrame();
    }

    // A new document and window in place of the old ones; the keypad types
    // into the document, as in the program.
    void NewFrame() {
        frame_.reset();
        doc_ = std::make_unique<CCalcDoc>();
        frame_ = std::make_unique<CCalcMainFrame>(doc_.get(), recent_.get());
        frame_->Keypad()->SetReceiver(doc_.get());
    }

    void StopFrame() {
        frame_.reset();
        doc_.reset();
        recent_.reset();
        settings_.reset();
    }

    std::unique_ptr<TempSettings> settings_;
    std::unique_ptr<CRecentFileList> recent_;
    std::unique_ptr<CCalcDoc> doc_;
    std::unique_ptr<CCalcMainFrame> frame_;
};
