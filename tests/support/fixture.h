// SPDX-License-Identifier: Apache-2.0
// Test support: fixture VPD databases in temporary directories, device images, and running the
// real orvantis binary (or the tool in a forked child) against them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vpd_access/vpd.h"

namespace orvantis {
namespace testing {

using Bytes = std::vector<unsigned char>;

std::string string_of(const Bytes& b);

Bytes read_file(const std::string& path);   // empty when missing
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

// Runs the tool's run_tool in a forked child of the test, so what `prepare` sets up in the child
// before the command runs (a device env, say) takes effect; stdout and stderr are captured.
RunResult run_in_process(const std::vector<std::string>& args, const std::string& db_root,
                         void (*prepare)() = nullptr);

// Forks; the child sends standard output and error into two temporary files and runs `body`,
// which must not return. The parent collects both and the exit status (128 + signal when killed).
RunResult run_child(const std::function<void()>& body);

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

// Whole device images that hold only a length word: a full record of 8 KiB (03 FE, then the
// layout byte), a brief one of 256 bytes (FE 00), a compact one with its little-endian length.
Bytes full_image(int layout = 2);
Bytes brief_image();
Bytes cff3_image(uint16_t length, size_t size = 0x100);

// CRC-32 (zlib's) computed bit by bit, independent of the library's table-driven code.
uint32_t reference_crc32(const unsigned char* data, size_t size);

}  // namespace testing
}  // namespace orvantis
