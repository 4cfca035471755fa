// SPDX-License-Identifier: Apache-2.0
#include "image/convert.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "image/printout_reader.h"
#include "image/raw_block.h"
#include "util/report.h"

namespace orvantis {
namespace {

int refuse_ascii_file(const char* ascii_path, const char* why) {
  printf("Convert2bin failed: ASCII file \"%s\" %s\n", ascii_path, why);
  flush_output(stdout);
  return 1;
}

}  // namespace

// A printout that cannot be read is refused rather than read as empty: an all-zero image must never
// come from a mistyped file name. The raw file is opened only once the whole printout is accepted,
// so a refused conversion leaves an existing raw file as it was.
int convert2bin(const vpd_lib::FieldDescriptor* table, uint32_t block_size, uint32_t first,
                uint32_t last, const char* ascii_path, const char* raw_path) {
  std::vector<unsigned char> buffer;
  if (!allocate_block(block_size, &buffer)) return 1;
  struct stat st;
  if (stat(ascii_path, &st) != 0) return refuse_ascii_file(ascii_path, "cannot be opened");
  // A directory opens for reading on Linux and then reads as an empty printout.
  if (S_ISDIR(st.st_mode)) return refuse_ascii_file(ascii_path, "is a directory");
  std::ifstream in(ascii_path, std::ios::in | std::ios::binary);
  if (!in) return refuse_ascii_file(ascii_path, "cannot be opened");

  // Messages reach standard output as they arise, so a printout full of size messages holds none
  // of them in memory.
  const int status =
      convert_printout(in, table, first, last, buffer.data(), block_size, stdout);
  if (status != 0) return 1;

  // One second attempt for a file system that refused the first open; only its failure is
  // explained.
  int raw = open_raw_output(raw_path, false);
  if (raw < 0) raw = open_raw_output(raw_path, true);
  if (raw < 0) return print_failure("Failed to open file for raw output\n");
  if (!write_and_close(raw, buffer.data(), block_size, raw_path))
    return print_failure("Failed to write file for raw output\n");
  return 0;
}

}  // namespace orvantis
