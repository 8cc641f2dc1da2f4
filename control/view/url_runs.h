// Where the URL colouring falls in a range of rows: the runs of bytes that
// start with a scheme ("http://", "https:/", "mailto:", "mail:") or with
// "tag:", continued across soft-wrapped rows. No drawing here.
#pragma once

#include <vector>

#include "control/engine/tarn_strings.h"

namespace tarn::view {

struct UrlRun {
    int row;
    int first;  // 1-based byte positions, both included
    int last;
    friend bool operator==(const UrlRun&, const UrlRun&) = default;
};

// The runs of rows a..b. The scan starts at the first row of the text line
// holding row a, so a run that began on an earlier wrapped row is
// continued; runs on those earlier rows are returned too.
std::vector<UrlRun> FindUrlRuns(const TTarnStrings& lines, int a, int b, bool singleByte);

}  // namespace tarn::view
