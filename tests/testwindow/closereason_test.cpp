#include <gtest/gtest.h>

#include "testwindow/closereason.h"

namespace {

struct CloseCase {
    int code;
    CloseAction action;
};

void PrintTo(const CloseCase &c, std::ostream *out)
{
    *out << "reason " << c.code;
}

class CloseReasonTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseReasonTest, MapsEveryReasonCode)
{
    EXPECT_EQ(ActionForCloseReason(static_cast<CloseReason>(GetParam().code)), GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(Codes, CloseReasonTest,
                         ::testing::Values(CloseCase{0, CloseAction::EndProgram}, CloseCase{1, CloseAction::Unload},
                                           CloseCase{2, CloseAction::Cancel}, CloseCase{3, CloseAction::EndProgram},
                                           CloseCase{4, CloseAction::Unload}, CloseCase{5, CloseAction::Unload}));

} // namespace
