################################################################################
#
# orvantis
#
################################################################################

# SPDX-License-Identifier: Apache-2.0
# Placeholders: ORVANTIS_SITE is where the project's repository lives and ORVANTIS_VERSION
# the tag or commit you ship; set both, then add the source tarball's sha256 to orvantis.hash.
ORVANTIS_VERSION = v0.1
ORVANTIS_SITE = https://git.example.com/orvantis.git
ORVANTIS_SITE_METHOD = git
ORVANTIS_LICENSE = Apache-2.0
ORVANTIS_LICENSE_FILES = LICENSE
# The test suite runs target programs at build time; it stays off.
ORVANTIS_CONF_OPTS = -DORVANTIS_TESTS=OFF
# The install puts /usr/bin/orvantis, its manual page and bash completion,
# /etc/vpd/inventory.example, and the rollback journal's link /etc/vpd/journal to the
# folder it makes, /var/lib/orvantis (mode 0700), into the target: all of it is kept.
# Built from a checked-out tree (ORVANTIS_OVERRIDE_SRCDIR): leave its build directories out.
ORVANTIS_OVERRIDE_SRCDIR_RSYNC_EXCLUSIONS = --exclude='/build*/'

$(eval $(cmake-package))
