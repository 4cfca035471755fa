// SPDX-License-Identifier: Apache-2.0
#include "cli/command_line.h"

#include <getopt.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/modes.h"
#include "util/number.h"
#include "vpd_access/vpd.h"

namespace orvantis {
namespace {

// The options that are no mode. No leading colon: getopt reports unknown options and missing
// arguments on stderr itself, and both end in the usage text here.
constexpr const char kSettingOptions[] = "b:i:BEhy:";

// -y names the block size of a format that has a fixed one (1024 or 256).
bool is_fixed_block_size(uint16_t size) {
  for (const vpd_lib::VpdFormat& f : vpd_lib::VPD_FORMATS)
    if (f.block_size != 0 && f.block_size == size) return true;
  return false;
}

// Writes the 25-line usage text to standard output.
void print_usage() {
  // One printf-style call with no conversions: lines 1, 17 and 18 keep their trailing blank.
  std::printf(
      "orvantis <options> \n"
      "option : -p                      -> Print VPD to standout\n"
      "       : -E                      -> Print VPD without endianess adjustment (print byte order in raw vpd)\n"
      "       : -b NUM                  -> Operate on Block NUM (default=0)\n"
      "       : -i fru_id               -> Operate on FRU ID (default=0x00)\n"
      "       : -B                      -> Operate on Backup VPD (system vpd, 0x00, ONLY)\n"
      "       : -n                      -> List field eNum values for given fru_id and block\n"
      "       : -o NUM                  -> Print only field NUM where NUM=field_id (use -n to list fields)\n"
      "       : -O NUM type data        -> Set a field NUM where NUM=field_id (use -n to list fields)\n"
      "                                    ->  input can be string(s) ex: -O \"8 s 9Q47ABX2ZZ\"\n"
      "                                    ->  input can be bytes(b) ex: -O \"6 b 0x04 0x00\"\n"
      "       : -g id                   -> Print common sysvpd fields by name (mtm, sn, hwrev, uuid, posid, vpdid, uefiid)\n"
      "       : -G id type data         -> Write common sysvpd fields by name (mtm, sn, hwrev, uuid, posid, vpdid, uefiid)\n"
      "                                    ->  input can be string(s) ex: -G \"mtm s 9Q47ABX2ZZ\"\n"
      "                                    ->  input can be bytes(b) ex: -G \"posid b 0x00 0x34\"\n"
      "       : -c asciiFile rawFile    -> Convert ASCII printout to Raw file\n"
      "       : -w rawFile              -> Burn VPD Block specified with -b from rawFile \n"
      "       : -r rawFile              -> Dump VPD Block specified with -b to rawFile \n"
      "       : -l                      -> List FRU IDs on system (includes not-present devices)\n"
      "       : -s                      -> Check checksum (crc32)\n"
      "       : -S                      -> Check AND correct checksum (crc32)\n"
      "       : -y blocksize            -> BYpass reading blocksize from vpd and use value provided (1024 or 256)\n"
      "       : -f                      -> Fix text fields non-conforming to spec in VPD and print corrected VPD (does NOT write hardware)\n"
      "       : -e                      -> Examine the text fields non-conforming to spec in VPD and report changes\n"
      "       : -P                      -> Read Platform ID (vpdid + posid)\n");
}

bool refuse_with_usage(int* exit_status) {
  print_usage();
  *exit_status = 1;
  return false;
}

// Stores the argument of a mode option; false when -c lacks its raw file name.
bool take_argument(ModeArgument argument, int argc, char** argv, CommandLine* out) {
  switch (argument) {
    case ARG_NONE: break;
    case ARG_FIELD_NUMBER: out->field_number = parse_long32(optarg, 10); break;
    case ARG_REQUEST: out->request = optarg; break;
    case ARG_FIELD_NAME: out->field_name = optarg; break;
    case ARG_INPUT_FILE: out->input_file = optarg; break;
    case ARG_OUTPUT_FILE: out->output_file = optarg; break;
    case ARG_ASCII_AND_RAW:
      // optind stays put, so getopt later meets the raw file name as a non-option and skips it.
      if (optind >= argc || argv[optind] == nullptr) return false;
      out->input_file = optarg;
      out->output_file = argv[optind];
      break;
  }
  return true;
}

}  // namespace

std::string getopt_options(const Rows<ModeRow>& modes) {
  std::string options = kSettingOptions;
  for (const ModeRow& row : modes) {
    if (row.letter == 0) continue;
    options += row.letter;
    if (row.argument != ARG_NONE) options += ':';
  }
  return options;
}

bool parse_command_line(const Rows<ModeRow>& modes, int argc, char** argv, CommandLine* out,
                        int* exit_status) {
  *out = CommandLine();
  *exit_status = 0;
  optind = 0;  // glibc: 0 re-initialises the scanner, so the parser can run more than once

  const std::string options = getopt_options(modes);
  int opt;
  while ((opt = getopt(argc, argv, options.c_str())) != -1) {
    if (const ModeRow* row = mode_row(modes, opt)) {
      if (!take_argument(row->argument, argc, argv, out)) return refuse_with_usage(exit_status);
      out->mode = row->letter;
      continue;
    }
    switch (opt) {
      case 'b': {
        // Compared unsigned, so a negative block fails like a large one.
        int32_t block = parse_long32(optarg, 10);
        if (static_cast<uint32_t>(block) > 7) {
          std::printf("Invalid block number\n");
          *exit_status = 1;
          return false;
        }
        out->block = block;
        break;
      }
      case 'i': out->fru_id = parse_ulong32(optarg, 0); break;
      case 'B': out->backup = true; break;
      case 'E': out->no_adjust = true; break;
      case 'y': {
        // Only the low 16 bits count: 65792 (0x10100) is 256.
        uint16_t size = static_cast<uint16_t>(parse_ulong32(optarg, 0) & 0xFFFFu);
        if (!is_fixed_block_size(size)) {
          std::printf("Provided block size(%d) is invalid\n", static_cast<int>(size));
          *exit_status = 1;
          return false;
        }
        out->blocksize = size;
        break;
      }
      default:  // -h, an unknown letter, a missing argument ('?')
        return refuse_with_usage(exit_status);
    }
  }
  return true;
}

}  // namespace orvantis
