#pragma once
// The fixed facts of DEFLATE (RFC 1951): the table entry of every literal/length, distance
// and code-length symbol (base values and extra bits, in HuffmanTable's entry format), and the
// fixed codes of block type 1, built once.

#include <cstdint>

#include "png/HuffmanTable.h"

namespace DeflateCodes {

// First-level widths of the decoding tables and the symbol counts.
constexpr unsigned kLiteralTableBits = 11;
constexpr unsigned kDistanceTableBits = 8;
constexpr unsigned kCodeLengthTableBits = 7;
constexpr unsigned kMaxLiteralSymbols = 288;
constexpr unsigned kMaxDistanceSymbols = 32;
constexpr unsigned kCodeLengthSymbols = 19;

const uint32_t* LiteralEntries();     // 288: literals, end of block, lengths, 2 invalid
const uint32_t* DistanceEntries();    // 32: distances, 2 invalid
const uint32_t* CodeLengthEntries();  // 19: the symbol itself
const HuffmanTable& FixedLiterals();
const HuffmanTable& FixedDistances();

}  // namespace DeflateCodes
