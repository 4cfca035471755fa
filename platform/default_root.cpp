// SPDX-License-Identifier: Apache-2.0
// The database root used when $VPD_DB_ROOT is unset or empty. The build compiles this file once per
// root and links exactly one into each program: the build tree's tool and the tests get the sample
// platform in the build tree, the installed tool sysconfdir/vpd. Nothing else in the library
// depends on where it is installed.
#include "database.h"

#ifndef VPD_DB_DEFAULT_ROOT
#define VPD_DB_DEFAULT_ROOT "/etc/vpd"
#endif

const char* vpd_platform::default_database_root() { return VPD_DB_DEFAULT_ROOT; }
