# SPDX-License-Identifier: Apache-2.0
# Example for a machine layer: the board's own VPD database, /etc/vpd/inventory and the dev/ links
# to the system board's EEPROMs. Copy it to recipes-bmc/orvantis/ of the machine layer, with the
# board's inventory beside it as files/inventory (the inventory of
# packaging/buildroot/board-example/ is one for an AST2600 board with its EEPROMs on I2C bus 3),
# and change the link targets to the board's bus and addresses.
FILESEXTRAPATHS:prepend := "${THISDIR}/files:"
SRC_URI += "file://inventory"

# Where the fetcher unpacks local files: UNPACKDIR on newer releases, WORKDIR before them.
UNPACKDIR ??= "${WORKDIR}"

# The inventory and the links describe one machine's buses and addresses.
PACKAGE_ARCH = "${MACHINE_ARCH}"

do_install:append() {
    install -d ${D}${sysconfdir}/vpd/dev
    install -m 0644 ${UNPACKDIR}/inventory ${D}${sysconfdir}/vpd/inventory
    ln -sf /sys/bus/i2c/devices/3-0050/eeprom ${D}${sysconfdir}/vpd/dev/mb_vpd
    ln -sf /sys/bus/i2c/devices/3-0051/eeprom ${D}${sysconfdir}/vpd/dev/mb_vpd.backup
}

# An upgrade keeps an inventory edited on the BMC.
CONFFILES:${PN} += "${sysconfdir}/vpd/inventory"
