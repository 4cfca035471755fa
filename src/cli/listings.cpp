// SPDX-License-Identifier: Apache-2.0
#include "cli/listings.h"

#include <cstdio>
#include <sstream>
#include <string>

#include "vpd_access/vpd.h"
#include "util/report.h"

namespace orvantis {

int list_frus() {
  // The inventory text is the library's; it is passed through unchanged.
  std::stringstream inventory;
  const int rc = vpd_db::fill_stream_with_vpd_info(&inventory);
  if (rc != 0) {
    std::printf("Problem filling stream with vpd info. rc = %d\n", rc);
    return 1;
  }
  std::printf("%s\n", inventory.str().c_str());  // the library refuses inventories holding a NUL
  flush_output(stdout);
  return 0;
}

int list_fields(const FieldRange& range, uint32_t block_size) {
  // The number shown is the table index (what -o and -O take), not the full field id.
  for (uint32_t i = range.first; i <= range.last; ++i) {
    const vpd_lib::FieldDescriptor& d = range.table[i];
    // The offset uses the record's block size, which differs from vpd_data's 0x400 stride when
    // the block size is 256 or given with -y.
    const uint32_t offset = uint32_t{d.block} * block_size + uint32_t{d.offset};
    std::printf("  %02d : %-52s | Off: 0x%04X | Len: 0x%02X\n", static_cast<int>(i),
                d.name, offset, static_cast<unsigned>(d.length));
  }
  return 0;
}

}  // namespace orvantis
