# SPDX-License-Identifier: Apache-2.0
# The board's own VPD database for orvantis: /etc/vpd/inventory and the dev/ links to the system
# board's EEPROMs. It applies to the machine examplebmc only; a board's layer names its own
# MACHINE in the overrides. The inventory sits beside this file as files/inventory (the inventory
# of packaging/buildroot/board-example/ is one for an AST2600 board with its EEPROMs on I2C bus 3);
# change it and the link targets to the board's bus and addresses.
FILESEXTRAPATHS:prepend:examplebmc := "${THISDIR}/files:"
SRC_URI:append:examplebmc = " file://inventory"

# The inventory and the links describe one machine's buses and addresses.
PACKAGE_ARCH:examplebmc = "${MACHINE_ARCH}"

do_install:append:examplebmc() {
    install -d ${D}${sysconfdir}/vpd/dev
    install -m 0644 ${UNPACKDIR}/inventory ${D}${sysconfdir}/vpd/inventory
    ln -sf /sys/bus/i2c/devices/3-0050/eeprom ${D}${sysconfdir}/vpd/dev/mb_vpd
    ln -sf /sys/bus/i2c/devices/3-0051/eeprom ${D}${sysconfdir}/vpd/dev/mb_vpd.backup
}

# An upgrade keeps an inventory edited on the BMC.
CONFFILES:${PN}:append:examplebmc = " ${sysconfdir}/vpd/inventory"
