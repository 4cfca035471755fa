#include "print/printer.h"

namespace orvantis {
void print_fields(const vpd_lib::FieldDescriptor*, vpd_lib::vpd*, uint32_t, uint32_t, bool, bool) {}
void print_field_lines(FILE*, const vpd_lib::FieldDescriptor*, const unsigned char*, uint32_t,
                       uint32_t, bool, bool) {}
void print_name_column(FILE*, const char*) {}
}  // namespace orvantis
