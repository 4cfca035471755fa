// Test support: fixture VPD databases in temporary directories, images built from readable field
// values, and running the real orvantis binary against them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vpd_access/vpd.h"

namespace orvantis {
namespace testing {

using Bytes = std::vector<unsigned char>;

Bytes bytes_of(const std::string& s);
std::string string_of(const Bytes& b);
// "01 02 ff" or "0102FF" to bytes; blanks are ignored.
Bytes hex_bytes(const std::string& hex);

Bytes read_file(const std::string& path);   // empty when missing
bool file_exists(const std::string& path);
void write_file(const std::string& path, const Bytes& data);
void write_file(const std::string& path, const std::string& text);

// A fresh directory under $TMPDIR, removed with its contents on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct RunResult {
  std::string out;  // standard output, byte for byte
  std::string err;
  int status = -1;  // exit status, or 128 + signal
};

// Runs orvantis (under the cross emulator when there is one) with VPD_DB_ROOT=db_root; an empty
// db_root leaves the variable unset. cwd: the working directory ("" = inherited). `prefix` is a
// command (looked up in PATH) that gets the whole orvantis command line as its arguments, e.g.
// {"sh", "-c", "exec \"$@\" >/dev/full", "sh"}.
RunResult run_orvantis(const std::vector<std::string>& args, const std::string& db_root,
                       const std::string& cwd = "", const std::vector<std::string>& prefix = {});

// Runs the tool's run_tool in a forked child of the test, so test hooks of the VPD library set by
// `prepare` (in the child, before the command runs) take effect; stdout and stderr are captured.
RunResult run_in_process(const std::vector<std::string>& args, const std::string& db_root,
                         void (*prepare)() = nullptr);

// A VPD database: ROOT/inventory and ROOT/dev/NAME device files.
class FixtureDb {
 public:
  FixtureDb();
  const std::string& root() const { return dir_.path(); }
  // Appends one inventory line, e.g. "0 yes full 0x2000 mb_vpd System board".
  void add_line(const std::string& line);
  // Convenience: an inventory line and the device file together.
  void add_fru(unsigned fru, const std::string& format, uint32_t max_size, const std::string& device,
               const Bytes& image, const std::string& description = "fixture FRU");
  std::string device_path(const std::string& name) const { return root() + "/dev/" + name; }
  void write_device(const std::string& name, const Bytes& image) const;
  Bytes read_device(const std::string& name) const;
  // A scratch file path inside the fixture directory.
  std::string scratch(const std::string& name) const { return root() + "/" + name; }
  RunResult run(const std::vector<std::string>& args,
                const std::vector<std::string>& prefix = {}) const {
    return run_orvantis(args, root(), "", prefix);
  }

 private:
  TempDir dir_;
  std::string inventory_;
};

// The last table index of each format's table, and the table itself.
const vpd_lib::FieldDescriptor* table_for(int16_t format);
uint32_t table_last(int16_t format);
// Byte address of entry `index` in vpd_data / a whole-device image.
uint32_t address_of(const vpd_lib::FieldDescriptor& d);

// A device image built field by field.
class Image {
 public:
  explicit Image(size_t size, unsigned char fill = 0) : bytes_(size, fill) {}
  // A VPD_FORMAT_FULL image: length word 03 FE, the layout byte, 8 blocks unless size says less.
  static Image full(int layout = 2, size_t size = 0x2000);
  static Image brief(size_t size = 0x100);                 // length word FE 00
  static Image cff3(uint16_t length, size_t size = 0x100); // little-endian length word

  Image& set(uint32_t address, const Bytes& data);
  Image& set_field(int16_t format, uint32_t index, const Bytes& data);  // at the field's address
  Image& set_text(int16_t format, uint32_t index, const std::string& text);
  Image& patch(uint32_t address, unsigned char value);
  // Stores the correct block-0 CRC of a full image (big-endian at 0x3FC).
  Image& fix_crc();
  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

 private:
  Bytes bytes_;
};

// CRC-32 (zlib's) computed bit by bit, independent of the library's table-driven code.
uint32_t reference_crc32(const unsigned char* data, size_t size);

}  // namespace testing
}  // namespace orvantis
