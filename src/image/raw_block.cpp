#include "image/raw_block.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace orvantis {
namespace {

// The block offset is an unsigned 32-bit product, as on the target.
uint32_t block_offset(uint32_t block, uint32_t block_size) { return block * block_size; }

}  // namespace

int print_failure(const char* line) {
  fputs(line, stdout);
  fflush(stdout);
  return 1;
}

// calloc(0) may return null; a zero-size block still gets a valid, empty buffer.
unsigned char* allocate_block(uint32_t block_size) {
  void* buffer = calloc(block_size == 0 ? 1 : block_size, 1);
  if (buffer == nullptr) {
    printf("Error! Failed to allocate data_buffer of size 0x%X\n", block_size);
    fflush(stdout);
  }
  return static_cast<unsigned char*>(buffer);
}

bool raw_output_allowed(const char* raw_path) {
  struct stat st;
  if (stat(raw_path, &st) != 0) return true;
  return S_ISREG(st.st_mode) || S_ISCHR(st.st_mode);
}

// The raw file is created (or truncated) before the device is read, so a failed read leaves it
// empty rather than holding an older block: nobody can burn a stale image by mistake.
int dump_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path) {
  unsigned char* buffer = allocate_block(block_size);
  if (buffer == nullptr) return 1;
  FILE* raw = raw_output_allowed(raw_path) ? fopen(raw_path, "wb") : nullptr;
  if (raw == nullptr) {
    free(buffer);
    return print_failure("Failed to open binary output file.\n");
  }
  if (record->read_raw(block_offset(block, block_size), block_size, buffer) == 0) {
    fclose(raw);
    free(buffer);
    return print_failure("Failed reading vpd data from vpd_obj!\n");
  }
  fwrite(buffer, 1, block_size, raw);
  fflush(raw);
  fclose(raw);
  free(buffer);
  return 0;
}

// Only a regular file of exactly one block reaches the device; a missing file, a directory, a FIFO
// (whose open would wait for a writer) and any other length are all the same refusal, before
// anything is written.
int burn_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path) {
  static const char kWrongSize[] = "Corrupted VPD Raw File (wrong size)!\n";
  struct stat st;
  if (stat(raw_path, &st) != 0 || !S_ISREG(st.st_mode)) return print_failure(kWrongSize);
  std::ifstream in(raw_path, std::ios::in | std::ios::binary);
  in.seekg(0, std::ios::end);
  const int64_t size = static_cast<int64_t>(in.tellg());
  if (!in || size != static_cast<int64_t>(block_size)) return print_failure(kWrongSize);
  in.seekg(0, std::ios::beg);

  unsigned char* buffer = allocate_block(block_size);
  if (buffer == nullptr) return 1;
  in.read(reinterpret_cast<char*>(buffer), block_size);
  const int written = record->write_raw(block_offset(block, block_size), block_size, buffer, false);
  free(buffer);
  if (written == 0) return print_failure("Failed to update VPD\n");
  return 0;
}

}  // namespace orvantis
