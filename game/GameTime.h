#pragma once
// Millisecond timers of the actors. A timer advances by adding the update's elapsed time (a
// float) to the timer taken as a float and truncating the sum toward zero. Sums beyond the
// timer's range stay at its limit instead of overflowing.

#include <cstdint>

inline int32_t AdvanceTimer(int32_t timer, float dt) {
    const float sum = static_cast<float>(timer) + dt;
    if (sum != sum) {
        return timer;
    }
    if (sum >= 2147483648.0f) {
        return INT32_MAX;
    }
    if (sum <= -2147483648.0f) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(sum);
}

inline uint32_t AdvanceTimer(uint32_t timer, float dt) {
    const float sum = static_cast<float>(timer) + dt;
    if (sum != sum) {
        return timer;
    }
    if (sum <= 0.0f) {
        return 0;
    }
    if (sum >= 4294967296.0f) {
        return UINT32_MAX;
    }
    return static_cast<uint32_t>(sum);
}
