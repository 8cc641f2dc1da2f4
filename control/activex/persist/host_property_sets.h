// The two property sets the host program stores: the editor on its main
// window and the sample editor of its options dialog. TarnEditX1 also
// serves as the reference set for a new control.
#pragma once

#include "control/activex/persist/value.h"

namespace tarn::persist {

PropertyList SampleEditProperties();
PropertyList TarnEditX1Properties();

}  // namespace tarn::persist
