// For the tests of the toolkit's dialogs: they open and close at once, and
// draw as on a desktop that composites windows, whatever the test machine has.
// Begin in init(), End in cleanup().
#pragma once

#include "toolkit/TaCompositing.h"
#include "toolkit/TaDialog.h"

struct StillDialogs {
    static void Begin() {
        TaDialog::SetAnimationsEnabled(false);
        TaSetCompositingOverride(1);
    }
    static void End() {
        TaDialog::SetAnimationsEnabled(true);
        TaSetCompositingOverride(-1);
    }
};
