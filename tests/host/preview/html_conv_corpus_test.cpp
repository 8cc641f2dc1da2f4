// Replays every saved fuzzer input through the same checks the fuzzer
// makes, so a page that once broke the conversion stays a test.
#include "html_conv_exercise.h"

#include <gtest/gtest.h>

#include "corpus_files.h"

namespace {

TEST(HtmlConvCorpus, EverySavedPagePassesTheFuzzChecks) {
    const std::vector<fuzz_corpus::Input> inputs = fuzz_corpus::Inputs(QUENBY_HTML_CONV_CORPUS);
    for (const fuzz_corpus::Input& input : inputs)
        EXPECT_EQ(html_conv_fuzz::ExerciseHtmlConv(input.bytes), "") << input.path;
    EXPECT_GE(inputs.size(), 20u);  // the hand-made seeds at least
}

}  // namespace
