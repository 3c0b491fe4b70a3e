#include "png/HuffmanTable.h"

#include <algorithm>

namespace {

uint16_t ReverseBits(unsigned code, unsigned length) {
    unsigned reversed = 0;
    for (unsigned i = 0; i < length; ++i) {
        reversed = (reversed << 1) | ((code >> i) & 1);
    }
    return uint16_t(reversed);
}

}  // namespace

HuffmanTable::HuffmanTable(unsigned tableBits, unsigned maxSymbols)
    // Each symbol longer than the first level can need a sub-table of its own, at most
    // 2^(15 - tableBits) entries wide.
    : m_tableBits(tableBits),
      m_entries((1u << tableBits) + maxSymbols * (1u << (kMaxCodeLength - tableBits))) {}

bool HuffmanTable::Build(const uint8_t* lengths, unsigned count, const uint32_t* symbolEntries,
                         bool allowIncomplete) {
    unsigned lengthCount[kMaxCodeLength + 1] = {};
    for (unsigned s = 0; s < count; ++s) {
        ++lengthCount[lengths[s]];
    }
    lengthCount[0] = 0;

    // Kraft sum: more codes than a length allows is an over-subscribed code.
    int left = 1;
    unsigned maxLength = 0;
    for (unsigned len = 1; len <= kMaxCodeLength; ++len) {
        left = (left << 1) - int(lengthCount[len]);
        if (left < 0) {
            return false;
        }
        if (lengthCount[len] > 0) {
            maxLength = len;
        }
    }
    if (left > 0 && !(allowIncomplete && maxLength <= 1)) {
        return false;
    }

    uint16_t nextCode[kMaxCodeLength + 1] = {};
    unsigned code = 0;
    for (unsigned len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + lengthCount[len - 1]) << 1;
        nextCode[len] = uint16_t(code);
    }

    const unsigned mainSize = 1u << m_tableBits;
    std::fill(m_entries.begin(), m_entries.begin() + mainSize, kInvalid);
    uint16_t reversedCodes[320];
    for (unsigned s = 0; s < count; ++s) {
        const unsigned len = lengths[s];
        if (len == 0) {
            continue;
        }
        reversedCodes[s] = ReverseBits(nextCode[len]++, len);
        if (len <= m_tableBits) {
            const uint32_t entry = symbolEntries[s] | len;
            for (unsigned i = reversedCodes[s]; i < mainSize; i += 1u << len) {
                m_entries[i] = entry;
            }
        }
    }
    if (maxLength > m_tableBits) {
        FillLongCodes(lengths, count, symbolEntries, reversedCodes);
    }
    return true;
}

// Codes longer than the first level: every first-level slot shared by such codes points to a
// sub-table as wide as the longest of them needs.
void HuffmanTable::FillLongCodes(const uint8_t* lengths, unsigned count,
                                 const uint32_t* symbolEntries, const uint16_t* reversedCodes) {
    const unsigned mainSize = 1u << m_tableBits;
    const unsigned mask = mainSize - 1;
    uint8_t longest[1u << kMaxTableBits] = {};
    for (unsigned s = 0; s < count; ++s) {
        if (lengths[s] > m_tableBits) {
            uint8_t& l = longest[reversedCodes[s] & mask];
            l = std::max(l, lengths[s]);
        }
    }
    unsigned offset = mainSize;
    for (unsigned prefix = 0; prefix < mainSize; ++prefix) {
        if (longest[prefix] == 0) {
            continue;
        }
        const unsigned subBits = longest[prefix] - m_tableBits;
        m_entries[prefix] = uint32_t(offset) << 16 | kSubtable | subBits << 12 | m_tableBits;
        std::fill(m_entries.begin() + offset, m_entries.begin() + offset + (1u << subBits),
                  kInvalid);
        offset += 1u << subBits;
    }
    for (unsigned s = 0; s < count; ++s) {
        const unsigned len = lengths[s];
        if (len <= m_tableBits) {
            continue;
        }
        const uint32_t pointer = m_entries[reversedCodes[s] & mask];
        const unsigned base = pointer >> 16;
        const unsigned subSize = 1u << ((pointer >> 12) & 15);
        const unsigned rest = len - m_tableBits;
        const uint32_t entry = symbolEntries[s] | rest;
        for (unsigned i = reversedCodes[s] >> m_tableBits; i < subSize; i += 1u << rest) {
            m_entries[base + i] = entry;
        }
    }
}

void HuffmanTable::PairLiterals() {
    // The next code starts len1 bits further on: its entry is the one at i >> len1 when it is
    // short enough to lie within the first level's bits. Descending order reads every such
    // entry (at a lower index) before it is changed.
    // Written without branches (the kinds of neighbouring entries follow no pattern): an entry
    // that is not a literal has no kLiteral bit, so it never pairs, and a sub-table pointer's
    // length (the table width) sends the look-up to entry 0, which is then not used.
    const unsigned mainSize = 1u << m_tableBits;
    uint32_t* entries = m_entries.data();
    for (unsigned i = mainSize; i-- > 0;) {
        const uint32_t first = entries[i];
        const unsigned firstLength = first & 15;
        const uint32_t second = entries[i >> firstLength];
        const unsigned totalLength = firstLength + (second & 15);
        const uint32_t paired = (first & 0xFF0000) | (second & 0xFF0000) << 8 | firstLength << 12 |
                                kLiteral | totalLength;
        const bool pairs = (first & second & kLiteral) && totalLength <= m_tableBits;
        entries[i] = pairs ? paired : first;
    }
}
