#include "fields/text_fix.h"

namespace orvantis {
// Not built yet: refuse without output.
int run_examine_text(const vpd_lib::FieldDescriptor*, vpd_lib::vpd*, uint32_t, uint32_t) { return 1; }
int run_fix_text(const vpd_lib::FieldDescriptor*, vpd_lib::vpd*, uint32_t, uint32_t, bool) {
  return 1;
}
}  // namespace orvantis
