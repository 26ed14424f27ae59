// a * b / c rounded half away from zero, as the platform's MulDiv; used for
// point sizes and dialog units.
#pragma once

inline int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}
