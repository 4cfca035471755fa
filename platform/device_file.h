// Locked, verified access to the file that holds a FRU's VPD (an at24 `eeprom` node in sysfs on a
// controller, a plain file in a fixture or sample database).
//
// Guarantees:
// - Every read holds a shared flock(2) lock on the file and every write an exclusive one, so two
//   processes never interleave a write with a read or another write of the same device. A lock not
//   obtained within the lock timeout (3 s) fails the operation; nothing is read or written then.
// - A write never creates, truncates or extends the file: the range must lie inside the file's
//   current length (character devices have no length of their own; there the caller's bound holds).
// - A write succeeds only when every byte was written, fsync(2) succeeded (a character device that
//   has no sync, EINVAL, writes through) and the range read back equals the bytes written.
// Directories, FIFOs and sockets are never devices: they fail at once and never block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vpd_platform {

enum DeviceStatus {
  DEVICE_OK = 0,
  DEVICE_OPEN_FAILED,    // missing, or not a regular file, block or character device
  DEVICE_LOCK_TIMEOUT,   // another process held a conflicting lock for the whole timeout
  DEVICE_OUT_OF_RANGE,   // the range passes the file's end (writes only)
  DEVICE_SHORT,          // fewer bytes read or written than asked for
  DEVICE_SYNC_FAILED,
  DEVICE_MISMATCH,       // the bytes read back after a write differ from those written
};

// Reads `length` bytes at `offset` into `buffer` under a shared lock.
DeviceStatus device_read(const std::string& path, uint64_t offset, uint32_t length,
                         unsigned char* buffer);

// Reads the file from its start under a shared lock: min(file length, limit) bytes, or on a
// character device up to `limit` bytes or its end. An empty result, or a read error anywhere
// (the output is then empty), is DEVICE_SHORT.
DeviceStatus device_read_all(const std::string& path, uint32_t limit,
                             std::vector<unsigned char>* out);

// Writes `length` bytes at `offset` under an exclusive lock, syncs and verifies them (see above).
DeviceStatus device_write(const std::string& path, uint64_t offset, uint32_t length,
                          const unsigned char* buffer);

// How long a read or write waits for its lock, in milliseconds (3000 unless tests shorten it).
void set_lock_timeout_ms(unsigned ms);

}  // namespace vpd_platform
