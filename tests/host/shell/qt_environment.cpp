// One QApplication for the whole test program, made before the first test.
#include "tests/qt_test_app.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new testing_qt::QtEnvironment);
}  // namespace
