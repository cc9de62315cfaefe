#include "core/run_time_error.h"

#include <gtest/gtest.h>

using tintwell::ErrorKind;
using tintwell::RunTimeError;

namespace {

struct MessageCase {
    ErrorKind kind;
    const char* where;
    const char* message;
};

class RunTimeErrorMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(RunTimeErrorMessage, NamesTheErrorAndWhereItHappened)
{
    const MessageCase& c = GetParam();
    const RunTimeError error(c.kind, c.where);
    EXPECT_STREQ(error.what(), c.message);
    EXPECT_EQ(error.kind(), c.kind);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, RunTimeErrorMessage,
    testing::Values(MessageCase{ErrorKind::Overflow, "packing the colour value",
                                "Overflow: packing the colour value"},
                    MessageCase{ErrorKind::TypeMismatch, "reading a whole number",
                                "Type mismatch: reading a whole number"},
                    MessageCase{ErrorKind::ControlFailure, "", "Control failure"}));
// clang-format on

} // namespace
