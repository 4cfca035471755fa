# SPDX-License-Identifier: Apache-2.0
# orvantis for an OpenBMC or other Yocto image. Set the repository address and the revision you
# ship (placeholders below), here or in your machine layer's bbappend (SRC_URI, SRCREV).
#
# Kernel prerequisites: the tool reaches each FRU's EEPROM through the sysfs `eeprom` file of the
# at24 driver, so the machine's kernel needs CONFIG_EEPROM_AT24 and CONFIG_NVMEM_SYSFS.
SUMMARY = "Print, edit, dump, burn and check the VPD of a BMC's field-replaceable units"
DESCRIPTION = "orvantis works on the Vital Product Data (VPD) EEPROM records of a server's \
               field-replaceable units from its management controller: it prints a block field by \
               field, reads and writes single fields by number or by name, dumps a block to a raw \
               file and burns one back, converts an edited printout into a raw block, and checks and \
               corrects the block-0 CRC."
# Placeholders: the project's web page and issue tracker.
HOMEPAGE = "https://git.example.com/orvantis"
BUGTRACKER = "https://git.example.com/orvantis/issues"
SECTION = "console/utils"
LICENSE = "Apache-2.0"
LIC_FILES_CHKSUM = "file://LICENSE;md5=3b83ef96387f14655fc854ddc3c6bd57"
# No CPE names orvantis yet: a CVE filed against it would name the product orvantis. Add the
# vendor (VENDOR:orvantis) once the CPE dictionary has one.
CVE_PRODUCT = "orvantis"

PV = "0.1+git"

# Placeholders: the project's repository and the revision you ship.
SRC_URI = "git://git.example.com/orvantis.git;protocol=https;branch=main"
SRCREV = "0000000000000000000000000000000000000000"

inherit cmake bash-completion

# The test suite runs target programs at build time, so it stays off; nothing else runs.
EXTRA_OECMAKE += "-DORVANTIS_TESTS=OFF"

# ${bindir}/orvantis, ${sysconfdir}/vpd/inventory.example (the installed tool's database root is
# ${sysconfdir}/vpd), and the rollback journal of an interrupted write: the link
# ${sysconfdir}/vpd/journal and the folder it names, ${localstatedir}/lib/orvantis (mode 0700),
# both made by the install. The manual page goes to ${PN}-doc, the completion to
# ${PN}-bash-completion. The board's own ${sysconfdir}/vpd/inventory and dev/ links come from the
# machine layer: see meta-examplebmc.
FILES:${PN} += "${sysconfdir}/vpd/journal ${localstatedir}/lib/orvantis"

# The target's tool only: it works on the BMC's EEPROMs, and no build step runs it.
BBCLASSEXTEND = ""
