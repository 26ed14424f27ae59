// The first frame of a large window: the backing store's memory is fresh, and
// touching it page by page while painting costs a fault per page (some 1,500
// for a maximized window). Asking the system for all of it at once is cheaper.
#pragma once

#include <functional>

class QWidget;
class QWindow;

// Call before showing the window; works once, at its first exposure.
void TaPrepareFirstFrame(QWidget* window);

// Calls `work` once, when `window` is first exposed, before Qt paints it.
void TaOnFirstExposure(QWindow* window, std::function<void()> work);
