# SPDX-License-Identifier: Apache-2.0
# orvantis for an OpenBMC or other Yocto image: copy to recipes-bmc/orvantis/ in your layer and
# point SRC_URI and SRCREV at the revision you ship. scripts/packager-build proves this build.
SUMMARY = "Print, edit, dump, burn and check the VPD of a BMC's field-replaceable units"
# The sources carry no license file yet: set LICENSE and LIC_FILES_CHKSUM to the project's.
LICENSE = "CLOSED"

SRC_URI = "git://git.example.com/orvantis.git;protocol=https;branch=main"
SRCREV = "0000000000000000000000000000000000000000"
PV = "0.1+git${SRCPV}"
S = "${WORKDIR}/git"

inherit cmake bash-completion

# The test suite runs target programs, so it stays off; nothing else runs at build time.
EXTRA_OECMAKE = "-DORVANTIS_TESTS=OFF"

# ${bindir}/orvantis and ${sysconfdir}/vpd/inventory.example (the database root defaults to
# ${sysconfdir}/vpd) go to ${PN}, the manual page to ${PN}-doc, the completion to
# ${PN}-bash-completion. The board's own ${sysconfdir}/vpd/inventory and dev/ symlinks belong to
# the machine layer.
