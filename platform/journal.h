// SPDX-License-Identifier: Apache-2.0
// The rollback journal: every write to a device is all or nothing, even across a power cut.
//
// An EEPROM write is a row of page writes (32 bytes on a 24c64, about 5 ms each); a power cut, a
// signal or a full disk part way leaves bytes of two versions. So before the first byte goes to
// the device, the bytes about to be overwritten are saved in ROOT/journal, and a later command
// that finds them puts them back. The protocol, under the device's exclusive lock:
//   1. read the bytes about to be overwritten from the device (never from a cached copy);
//   2. write the journal to NAME.tmp, fsync it, rename it to NAME.journal, fsync the folder
//      (creating the folder first when it is missing, and syncing its parent);
//   3. write the device, sync it, read it back;
//   4. unlink NAME.journal, fsync the folder.
// A journal under its final name is hot: the device may hold a mix. A command that opens the
// device finds it (readers too) and rolls it back: the old bytes written, synced and read back,
// then the journal unlinked and the folder synced. A NAME.tmp never completed, so the device was
// never touched: it is removed. A write that fails at step 3 is rolled back at once; its journal
// stays only when that fails too.
//
// NAME is the CRC-32 of the device's canonical path in hex, so each device has its own journal
// and its temporary name. The journal file, all numbers big-endian:
//   0   8  magic "ORVJRNL\n"
//   8   4  version, 1
//   12  4  flags: 1 when the device is also known by device and inode numbers (a regular file
//          outside sysfs, so that hard links to it find one journal; sysfs numbers change from
//          boot to boot, so a sysfs node is known by its path alone)
//   16  8  st_dev, 24  8  st_ino
//   32  8  offset of the saved bytes in the device
//   40  4  count of saved bytes (at most kMaxJournalBytes)
//   44  4  length of the canonical path (at most kMaxJournalPath)
//   48     the canonical path, then the saved bytes, then a CRC-32 of everything before it
// A journal whose size, magic, version or CRC is wrong is damage, not an interruption: it is
// kept, and every command on its device fails until someone looks at it.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device_env.h"

namespace vpd_platform {

constexpr uint32_t kMaxJournalBytes = 1u << 20;
constexpr uint32_t kMaxJournalPath = 4096;

// The saved bytes of one interrupted write.
struct JournalEntry {
  uint64_t offset = 0;
  std::vector<unsigned char> bytes;
};

class Journal {
 public:
  // `dir` is ROOT/journal; an empty `dir` keeps no journal.
  Journal(DeviceEnv& env, std::string dir) : env_(env), dir_(std::move(dir)) {}
  bool enabled() const { return !dir_.empty(); }

  // Takes the identity of the device open at `path` with status `st`; false (reported) when its
  // canonical path cannot be found.
  bool identify(const std::string& path, const struct stat& st);

  enum Found { JOURNAL_NONE, JOURNAL_HOT, JOURNAL_FAILED };
  // Looks for this device's journal, removing a temporary one; JOURNAL_HOT fills *entry.
  // JOURNAL_FAILED (reported) when the folder cannot be read or the journal is damaged or
  // unreadable: the device's state is then unknown.
  Found find(JournalEntry* entry);

  // Steps 2 and 4 of the protocol; false (reported) when the journal is not known to be durable,
  // or not known to be gone.
  bool write(uint64_t offset, const unsigned char* bytes, uint32_t count);
  bool remove();

 private:
  bool sync_folder(const std::string& dir, const char* what);
  bool read_journal(const std::string& file, std::vector<unsigned char>* out);

  DeviceEnv& env_;
  std::string dir_;
  std::string canonical_;
  uint64_t dev_ = 0, ino_ = 0;
  bool by_inode_ = false;
  std::string name_;  // NAME, without ".journal" or ".tmp"
};

}  // namespace vpd_platform
