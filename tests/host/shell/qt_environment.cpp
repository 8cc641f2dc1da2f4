// One QApplication for the whole test program, made before the first test.
#include "tests/host/qt_test_app.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new quenby::test::QtEnvironment);
}  // namespace
