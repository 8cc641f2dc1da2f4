// One QApplication for the whole test program, made before the first test.
#include "shell_test_support.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new quenby::test::QtEnvironment);
}  // namespace
