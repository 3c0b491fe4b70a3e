#include "png/DeflateCodes.h"

#include <cstring>

namespace {

using DeflateCodes::kDistanceTableBits;
using DeflateCodes::kLiteralTableBits;
using DeflateCodes::kMaxDistanceSymbols;
using DeflateCodes::kMaxLiteralSymbols;

struct SymbolEntries {
    uint32_t literal[kMaxLiteralSymbols];
    uint32_t distance[kMaxDistanceSymbols];
    uint32_t codeLength[19];

    SymbolEntries() {
        static const uint16_t lengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static const uint16_t distanceBase[30] = {
            1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
            193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static const uint8_t distanceExtra[30] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                  4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                  9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        for (uint32_t s = 0; s < 256; ++s) {
            literal[s] = s << 16 | HuffmanTable::kLiteral;
        }
        literal[256] = HuffmanTable::kEndOfBlock;
        for (uint32_t s = 0; s < 29; ++s) {
            literal[257 + s] = uint32_t(lengthBase[s]) << 16 | uint32_t(lengthExtra[s]) << 12;
        }
        literal[286] = literal[287] = HuffmanTable::kInvalid;
        for (uint32_t s = 0; s < 30; ++s) {
            distance[s] = uint32_t(distanceBase[s]) << 16 | uint32_t(distanceExtra[s]) << 12;
        }
        distance[30] = distance[31] = HuffmanTable::kInvalid;
        for (uint32_t s = 0; s < 19; ++s) {
            codeLength[s] = s << 16;
        }
    }
};

const SymbolEntries& Symbols() {
    static const SymbolEntries symbols;
    return symbols;
}

// The fixed codes of block type 1, built once.
struct FixedTables {
    HuffmanTable literals{kLiteralTableBits, kMaxLiteralSymbols};
    HuffmanTable distances{kDistanceTableBits, kMaxDistanceSymbols};

    FixedTables() {
        uint8_t lengths[kMaxLiteralSymbols];
        std::memset(lengths, 8, 144);
        std::memset(lengths + 144, 9, 112);
        std::memset(lengths + 256, 7, 24);
        std::memset(lengths + 280, 8, 8);
        literals.Build(lengths, kMaxLiteralSymbols, Symbols().literal, false);
        std::memset(lengths, 5, kMaxDistanceSymbols);
        distances.Build(lengths, kMaxDistanceSymbols, Symbols().distance, false);
    }
};

const FixedTables& Fixed() {
    static const FixedTables tables;
    return tables;
}

}  // namespace

namespace DeflateCodes {

const uint32_t* LiteralEntries() {
    return Symbols().literal;
}
const uint32_t* DistanceEntries() {
    return Symbols().distance;
}
const uint32_t* CodeLengthEntries() {
    return Symbols().codeLength;
}
const HuffmanTable& FixedLiterals() {
    return Fixed().literals;
}
const HuffmanTable& FixedDistances() {
    return Fixed().distances;
}

}  // namespace DeflateCodes
