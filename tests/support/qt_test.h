#pragma once

// Qt Test, for the tests that wait with its QTRY_ macros. Newer Qt's macros
// (6.8's) narrow their std::chrono timeout to int in their own expansion,
// which lands in our code, so -Wconversion reports it at every use. The
// warning is silenced around Qt's waiting loop only: the expression waited
// for is compiled again outside it, in the final QVERIFY or QCOMPARE, and
// checked there.
#include <QtTest>

// clang-format off
#define TINTWELL_WITHOUT_CONVERSION_WARNINGS(...)                                                              \
    _Pragma("GCC diagnostic push")                                                                             \
    _Pragma("GCC diagnostic ignored \"-Wconversion\"")                                                         \
    __VA_ARGS__                                                                                                \
    _Pragma("GCC diagnostic pop")
// clang-format on

#undef QTRY_VERIFY_WITH_TIMEOUT
#define QTRY_VERIFY_WITH_TIMEOUT(expr, timeout)                                                                        \
    do {                                                                                                               \
        TINTWELL_WITHOUT_CONVERSION_WARNINGS(QTRY_IMPL(expr, timeout))                                                 \
        QVERIFY(expr);                                                                                                 \
    } while (false)

#undef QTRY_VERIFY2_WITH_TIMEOUT
#define QTRY_VERIFY2_WITH_TIMEOUT(expr, messageExpression, timeout)                                                    \
    do {                                                                                                               \
        TINTWELL_WITHOUT_CONVERSION_WARNINGS(QTRY_IMPL(expr, timeout))                                                 \
        QVERIFY2(expr, messageExpression);                                                                             \
    } while (false)

#undef QTRY_COMPARE_WITH_TIMEOUT
#define QTRY_COMPARE_WITH_TIMEOUT(expr, expected, timeout)                                                             \
    do {                                                                                                               \
        TINTWELL_WITHOUT_CONVERSION_WARNINGS(QTRY_IMPL((expr) == (expected), timeout))                                 \
        QCOMPARE(expr, expected);                                                                                      \
    } while (false)
