// SPDX-License-Identifier: Apache-2.0
// The files the tool's own output must never reach (vpd_db::refused_output): the VPD devices of the
// inventory and their backup copies, the inventory, and the journal folder with what it holds.
//
// A file that exists is compared by device and inode (a device node also by its device number), so
// every name of it counts: a symlink, a hard link, a bind mount, /proc/self/fd/N. One that does not
// exist yet is compared by the path it resolves to, symlinks followed as far as they go, so a
// missing backup copy or the target of a dangling device symlink is refused before an open could
// create it. Whether a file lies in a folder is decided by path resolution: its resolved path, or a
// folder above it, is that folder by device and inode (a bind mount of the folder counts; a hard
// link made outside the folder is a name outside it). An open descriptor's path is the one
// /proc/self/fd/N gives; without /proc only the device and inode comparisons hold.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "database.h"
#include "library.h"
#include "vpd_access/vpd.h"

namespace vpd_platform {
namespace {

// The folder holding `path` as written ("." for a bare name), or "" for "/".
std::string parent_of(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return path.size() <= 1 ? "" : path.substr(0, slash == 0 ? 1 : slash);
}

// `path` made absolute with every symlink followed as far as they go: the names that do not exist
// (yet) are kept as they are, after the folder that does, resolved. A name too long to open is
// left as it is.
std::string resolved_path(const std::string& path) {
  std::string p = path, missing;  // `missing`: the names after p, each behind a '/'
  char target[PATH_MAX];
  for (int links = 0; links <= 40 && p.size() < sizeof target;) {  // the kernel's limit (ELOOP)
    if (char* real = ::realpath(p.c_str(), nullptr)) {
      std::string out = real;
      std::free(real);
      return out + missing;
    }
    const std::string dir = parent_of(p);
    const ssize_t n = ::readlink(p.c_str(), target, sizeof target);
    if (n > 0 && static_cast<size_t>(n) < sizeof target) {
      const std::string link(target, static_cast<size_t>(n));
      p = link[0] == '/' ? link : dir + "/" + link;
      ++links;
    } else if (dir.empty() || dir == p) {
      break;
    } else {
      missing = "/" + p.substr(p.rfind('/') + 1) + missing;
      p = dir;
    }
  }
  return p + missing;
}

// `path` (resolved) is `folder` or lies under it. A folder that does not exist holds nothing, but
// `path` may still name it.
bool in_folder(const std::string& folder, const std::string& path) {
  struct stat f;
  if (::stat(folder.c_str(), &f) != 0) return path == resolved_path(folder);
  for (std::string p = path; !p.empty(); p = parent_of(p)) {
    struct stat a;
    if (::stat(p.c_str(), &a) == 0 && a.st_dev == f.st_dev && a.st_ino == f.st_ino) return true;
    if (p == ".") break;
  }
  return false;
}

}  // namespace
}  // namespace vpd_platform

namespace vpd_db {

std::string refused_output(const struct stat* st, const std::string& name) {
  using namespace vpd_platform;
  // A pipe or a socket holds no VPD and lies in no folder, whatever name /proc gives it.
  if (st != nullptr && (S_ISFIFO(st->st_mode) || S_ISSOCK(st->st_mode))) return "";
  const Library& lib = loaded_library();
  const std::string path = resolved_path(name);
  const auto same = [&](const std::string& candidate) {
    struct stat c;
    if (::stat(candidate.c_str(), &c) != 0) return st == nullptr && resolved_path(candidate) == path;
    const bool node = S_ISCHR(c.st_mode) || S_ISBLK(c.st_mode);
    return st != nullptr && ((st->st_dev == c.st_dev && st->st_ino == c.st_ino) ||
                             (node && ((st->st_mode ^ c.st_mode) & S_IFMT) == 0 && st->st_rdev == c.st_rdev));
  };
  for (const InventoryEntry& entry : lib.inventory.entries) {
    std::string copy = entry.device;
    bool beside = false;
    uint32_t size = entry.max_size;
    const bool backup = vpd_lib::backup_copy_of(entry.fru, &copy, &beside, &size);
    // Every device's NAME.backup too: a board may keep a copy beside any chip, and only
    // the tool's -B stops at FRU 0.
    const std::string candidates[] = {device_path(lib.root, entry.device, false),
                                      device_path(lib.root, entry.device, true),
                                      backup && !beside ? device_path(lib.root, copy, false) : ""};
    for (const std::string& candidate : candidates)
      if (!candidate.empty() && same(candidate))
        return "is the VPD of FRU " + std::to_string(entry.fru) + " (" + candidate + ")";
  }
  const std::string inventory = inventory_path(lib.root);
  if (same(inventory)) return "is the inventory (" + inventory + ")";
  const std::string journal = journal_dir(lib.root);
  if (in_folder(journal, path)) return "is the journal folder or lies in it (" + journal + ")";
  if (lib.inventory.status != INVENTORY_OK && in_folder(lib.root, path))
    return "lies under the database root " + lib.root + ", whose inventory cannot be read";
  return "";
}

}  // namespace vpd_db
