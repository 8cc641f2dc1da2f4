// One QApplication for the whole test program, made before the first test.
#include "tests/control/view/view_test_support.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new tarn::view::test::QtEnvironment);
}  // namespace
