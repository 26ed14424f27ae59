// Caps Lock and Num Lock states where the platform tells them.
#pragma once

// False when the states cannot be known; caps and num are then false.
bool QueryLockKeys(bool& caps, bool& num);
