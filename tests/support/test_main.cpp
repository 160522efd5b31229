// vorn7_tests' main: each test starts from fresh globals, so the tests pass in one process as
// well as one process each.
#include <gtest/gtest.h>

#include "fresh_globals.h"

namespace {

class BeforeEachTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { fresh_globals::Reset(); }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new BeforeEachTest);
    return RUN_ALL_TESTS();
}
