# SPDX-License-Identifier: Apache-2.0
# orvantis for an OpenBMC or other Yocto image: copy to recipes-bmc/orvantis/ in your layer and
# replace the placeholders below (repository address, revision). scripts/packager-build builds the
# project the way this recipe does and checks this file.
#
# Kernel prerequisites: the tool reaches each FRU's EEPROM through the sysfs `eeprom` file of the
# at24 driver, so the machine's kernel needs CONFIG_EEPROM_AT24 and CONFIG_NVMEM_SYSFS.
SUMMARY = "Print, edit, dump, burn and check the VPD of a BMC's field-replaceable units"
DESCRIPTION = "orvantis works on the Vital Product Data (VPD) EEPROM records of a server's \
field-replaceable units from its management controller: it prints a block field by field, reads \
and writes single fields by number or by name, dumps a block to a raw file and burns one back, \
converts an edited printout into a raw block, and checks and corrects the block-0 CRC."
# Placeholders: the project's web page and issue tracker.
HOMEPAGE = "https://git.example.com/orvantis"
BUGTRACKER = "https://git.example.com/orvantis/issues"
SECTION = "console/utils"
LICENSE = "Apache-2.0"
LIC_FILES_CHKSUM = "file://LICENSE;md5=3b83ef96387f14655fc854ddc3c6bd57"

PV = "0.1+git"

# Placeholders: the project's repository and the revision you ship.
SRC_URI = "git://git.example.com/orvantis.git;protocol=https;branch=main"
SRCREV = "0000000000000000000000000000000000000000"
S = "${WORKDIR}/git"

inherit cmake bash-completion

# The test suite runs target programs at build time, so it stays off; nothing else runs.
EXTRA_OECMAKE += "-DORVANTIS_TESTS=OFF"

# ${bindir}/orvantis and ${sysconfdir}/vpd/inventory.example (the installed tool's database root
# is ${sysconfdir}/vpd) go to ${PN}, the manual page to ${PN}-doc, the completion to
# ${PN}-bash-completion. The board's own ${sysconfdir}/vpd/inventory and dev/ links come from the
# machine layer: see orvantis_%.bbappend.
