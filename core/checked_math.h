#pragma once

#include "core/run_time_error.h"

#include <cstdint>
#include <string_view>

namespace tintwell {

// 32-bit signed arithmetic that raises an Overflow run-time error instead of
// wrapping; `where` says what was being computed.

inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, std::string_view where)
{
    std::int32_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw RunTimeError(ErrorKind::Overflow, where);
    return sum;
}

inline std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b, std::string_view where)
{
    std::int32_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        throw RunTimeError(ErrorKind::Overflow, where);
    return product;
}

inline std::int16_t NarrowToInt16(std::int32_t value, std::string_view where)
{
    std::int16_t narrowed = 0;
    if (__builtin_add_overflow(value, 0, &narrowed))
        throw RunTimeError(ErrorKind::Overflow, where);
    return narrowed;
}

} // namespace tintwell
