// SPDX-License-Identifier: Apache-2.0
// Locked, verified access to the file that holds a FRU's VPD (an at24 `eeprom` node in sysfs on a
// controller, a plain file in a fixture or sample database).
//
// Guarantees:
// - An open device holds a flock(2) lock: shared for reading, exclusive for a command that will
//   write, so two processes never interleave a write with a read or another write of the same
//   device. The lock follows the access: shared for DEVICE_READ, exclusive otherwise. A lock not
//   obtained within the env's lock timeout (3 s) fails the open. A record that will be written
//   opens its device once, in load, and reads and writes through that descriptor until the
//   process ends (see record.cpp).
// - The lock belongs to the file the path names: a file put in its place (by rename, or a symlink
//   relinked) while the open waited for the lock is opened again; a write refuses a path that no
//   longer names the open file, so bytes computed from one file never land in another.
// - A write never creates, truncates or extends the file: the range must lie inside the file's
//   current length (character devices have no length of their own; there the caller's bound holds).
// - A write succeeds only when every byte was written, fsync(2) succeeded (a character device that
//   has no sync, EINVAL, writes through) and the range read back equals the bytes written.
// - A write is all or nothing: it goes through the rollback journal (journal.h), and an open,
//   reader or writer, first rolls back an interrupted write it finds there, or fails.
// - Every failure is explained by one line on standard error, "orvantis: PATH: what", before the
//   call returns false; the tool's own message on standard output follows.
// Directories, FIFOs and sockets are never devices: they fail at once and never block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "device_env.h"
#include "journal.h"
#include "util/report.h"

namespace vpd_platform {

using orvantis::report;

// DEVICE_UPDATE opens for reading and writing; where the file refuses writing (a read-only file
// system or mount) it opens for reading, and every write then fails with the reason.
enum DeviceAccess { DEVICE_READ, DEVICE_WRITE, DEVICE_UPDATE };

// An open device file, closed (and so unlocked) when it goes out of scope. Every call on the file
// goes through `env`, which must outlive the device; `journal_dir` is ROOT/journal.
class Device {
 public:
  Device(DeviceEnv& env, const std::string& journal_dir)
      : env_(env), journal_dir_(journal_dir), journal_(env, journal_dir) {}
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // Opens without blocking and keeps only files that can hold VPD (regular files, block and
  // character devices), then waits for the lock.
  bool open(const std::string& path, DeviceAccess access);
  bool is_open() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

  // The file's length; character devices have none (returns false, reports nothing).
  bool file_length(uint64_t* out) const;
  // Reads exactly `length` bytes at `offset`. A failed read (EIO from an EEPROM bus) fails, and
  // so does an end of file before the last byte: a short result must never pass for the device.
  bool read(uint64_t offset, uint32_t length, unsigned char* buffer);
  // Writes, syncs and reads back `length` bytes at `offset` (see the guarantees above).
  bool write(uint64_t offset, uint32_t length, const unsigned char* buffer);

 private:
  bool open_once(DeviceAccess access, bool* replaced);
  // After the lock: the device's journal rolled back when one is hot. RECOVERY_REOPEN when a
  // reader had to let go of its lock for the rollback and must open again.
  enum Recovery { RECOVERY_CLEAN, RECOVERY_FAILED, RECOVERY_REOPEN };
  Recovery recover(DeviceAccess access);
  // The device's bytes written, synced and read back, without the journal.
  bool put(uint64_t offset, uint32_t length, const unsigned char* buffer);
  // Makes the device hold `old` again; true once it does.
  bool restore(uint64_t offset, uint32_t length, const unsigned char* old);
  bool lock(DeviceAccess access);
  // Whether the path still names the open file (a rename or a relinked symlink makes it not).
  enum PathCheck { PATH_NAMES_OPEN_FILE, PATH_NAMES_ANOTHER_FILE, PATH_CHECK_FAILED };
  PathCheck check_path(const char* what) const;
  void close();

  DeviceEnv& env_;
  std::string journal_dir_;
  Journal journal_;
  int fd_ = -1;
  bool character_ = false;
  int write_errno_ = 0;  // why a DEVICE_UPDATE open could not write, 0 when it can
  uint64_t dev_ = 0, ino_ = 0;
  std::string path_;
};

}  // namespace vpd_platform
