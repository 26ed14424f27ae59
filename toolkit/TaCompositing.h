// Whether the desktop blends per-pixel alpha. Plain X11 without a
// compositing manager shows transparent pixels as black, so toolkit windows
// then fall back to opaque windows shaped by a mask.
#pragma once

bool TaCompositingActive();

// Tests force one answer: 1 composited, 0 not, -1 ask the desktop again.
void TaSetCompositingOverride(int value);
