// What brevane-cli scan writes and prints for each picture: the names of its
// design files, and its lines on stdout and stderr.
#pragma once

#include <string>
#include <vector>

#include "design_scanner.h"

// The stems of the design files of a scan of several pictures, DIR/<stem>-NNN.dat,
// one for each file name given, in order: the name without its extension, each
// character Windows refuses in a name (\ / : * ? " < > |, control characters, a
// trailing dot or space) as '_', and a stem that repeats one before it, without
// regard to ASCII case, as "<stem> (2)", "<stem> (3)" and so on.
std::vector<std::string> design_file_stems(const std::vector<std::string>& file_names);

// The design file of design `number` (from 1): "<stem>-NNN.dat".
std::string design_file_name(const std::string& stem, int number);

// One stdout line for each design found, in order: its number, centre, module
// size, name and author, each line after `prefix`.
std::string found_design_lines(const ScanResult& result, const std::string& prefix);

// The stderr line of a scan that found designs: "<file>: 1 more design-sized QR
// code was seen but could not be read" (or "N more ... were ..."); empty when
// every one seen was read.
std::string unread_symbols_line(const std::string& file, const ScanResult& result);

// Why a scan found no design: "no design QR code found", or "no design QR code
// could be read (N seen but unreadable)" when it saw design-sized symbols.
std::string nothing_found_reason(const ScanResult& result);
