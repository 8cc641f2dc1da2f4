// One QApplication for the whole test program, made before the first test.
#include "control_test_support.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new tarnedit::test::QtEnvironment);
}  // namespace
