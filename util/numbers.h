// Small numeric rules shared by the layout and the parsers, portable.
#pragma once

#include <cstdint>

// n held in 32 bits: the nearest of INT32_MIN and INT32_MAX when it does not fit.
inline std::int32_t ClampToInt32(long long n) {
    if (n > INT32_MAX) return INT32_MAX;
    if (n < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(n);
}
