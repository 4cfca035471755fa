// Placeholder until the file-backed library lands.
#include "vpd_access/vpd.h"

namespace vpd_lib {
nvram::~nvram() = default;
int nvram::read_raw(unsigned int, unsigned int, unsigned char*) { return 0; }
int nvram::write_raw(unsigned int, unsigned int, unsigned char*, bool) { return 0; }
bool nvram::load(int) { return false; }
uint32_t nvram::calcBlock0CRC32() const { return 0; }
uint32_t nvram::getBlock0CRC32() const { return 0; }
int nvram::isBlock0CRCSupported() const { return -1; }
void nvram::returnVPDBlock0CRC32(unsigned char*) {}
int vpd::read_field(unsigned int, unsigned int, unsigned char*) { return -1; }
int vpd::write_field(unsigned int, unsigned int, unsigned char*, bool) { return -1; }
int vpd::get_field_size(unsigned int) { return -1; }
int vpd::read_field_to_string(std::string&, unsigned int, int, int) { return -1; }
vpd* find_vpd_record(unsigned char, bool) { return nullptr; }
int vpd_read_field_size(unsigned char, unsigned int) { return -1; }
int vpd_write_field(unsigned char, unsigned int, unsigned int, unsigned char*, bool) { return -1; }
}  // namespace vpd_lib

namespace vpd_db {
int fill_stream_with_vpd_info(std::stringstream*) { return -2; }
}  // namespace vpd_db
