// The first frame of a large window: the backing store's memory is fresh, and
// touching it page by page while painting costs a fault per page (some 1,500
// for a maximized window). Asking the system for all of it at once is cheaper.
#pragma once

class QWidget;

// Call before showing the window; works once, at its first exposure.
void TaPrepareFirstFrame(QWidget* window);
