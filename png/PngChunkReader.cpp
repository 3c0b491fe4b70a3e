#include "png/PngChunkReader.h"

#include <cstring>

#include "png/Crc32.h"
#include "png/PngError.h"
#include "png/PngImageInfo.h"

namespace {

constexpr unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFFu;
constexpr uint32_t kMaxSide = 0x7FFFFFFFu;

constexpr uint32_t ChunkType(const char (&name)[5]) {
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 |
           uint32_t(uint8_t(name[2])) << 8 | uint32_t(uint8_t(name[3]));
}

constexpr uint32_t kIHDR = ChunkType("IHDR");
constexpr uint32_t kPLTE = ChunkType("PLTE");
constexpr uint32_t kIDAT = ChunkType("IDAT");
constexpr uint32_t kIEND = ChunkType("IEND");
constexpr uint32_t kTRNS = ChunkType("tRNS");
constexpr uint32_t kBKGD = ChunkType("bKGD");
constexpr uint32_t kTEXT = ChunkType("tEXt");

uint32_t LoadBigEndian32(const unsigned char* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint16_t LoadBigEndian16(const unsigned char* p) {
    return uint16_t(p[0] << 8 | p[1]);
}

bool AllowedBitDepth(unsigned colorType, unsigned depth) {
    switch (colorType) {
        case PngImageInfo::kGrey:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case PngImageInfo::kPalette:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case PngImageInfo::kRgb:
        case PngImageInfo::kGreyAlpha:
        case PngImageInfo::kRgba:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

}  // namespace

unsigned PngChunkReader::Read(const unsigned char* data, size_t size, PngImageInfo& info,
                              std::vector<Inflater::Segment>& compressed) {
    m_info = &info;
    m_compressed = &compressed;
    if (size == 0) {
        return kPngEmptyInput;
    }
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) {
        return kPngBadSignature;
    }
    size_t position = sizeof kSignature;
    bool first = true;
    for (;;) {
        info.lastChunk = 0;
        if (size - position < 12) {
            return kPngTruncatedFile;
        }
        const uint32_t length = LoadBigEndian32(data + position);
        const uint32_t type = LoadBigEndian32(data + position + 4);
        info.lastChunk = type;
        if (length > kMaxChunkLength) {
            return kPngChunkTooLong;
        }
        if (size - position - 12 < length) {
            return kPngTruncatedFile;
        }
        const unsigned char* body = data + position + 8;
        // The CRC covers the type and the data.
        if (!m_ignoreCrc &&
            Crc32::Compute(data + position + 4, length + 4) != LoadBigEndian32(body + length)) {
            return kPngBadCrc;
        }
        if (first != (type == kIHDR)) {
            return first ? kPngFirstChunkNotHeader : kPngChunkOutOfOrder;
        }
        first = false;
        if (type == kIEND) {
            if (!m_seenImageData) {
                return kPngMissingImageData;
            }
            // Whatever fails after the walk fails in the image data of the IDAT chunks.
            info.lastChunk = kIDAT;
            return kPngOk;
        }
        const unsigned error = ReadChunk(type, body, length);
        if (error != kPngOk) {
            return error;
        }
        position += size_t(length) + 12;
    }
}

unsigned PngChunkReader::ReadChunk(uint32_t type, const unsigned char* data, uint32_t length) {
    switch (type) {
        case kIHDR:
            return ReadHeader(data, length);
        case kPLTE:
            return ReadPalette(data, length);
        case kTRNS:
            return ReadTransparency(data, length);
        case kBKGD:
            return ReadBackground(data, length);
        case kTEXT:
            if (m_readTextChunks) {
                ReadText(data, length);
            }
            return kPngOk;
        case kIDAT:
            if (m_info->colorType == PngImageInfo::kPalette && !m_seenPalette) {
                return kPngMissingPalette;
            }
            m_seenImageData = true;
            m_compressed->push_back(Inflater::Segment{data, length});
            return kPngOk;
        default:
            return kPngOk;
    }
}

// Every header field is checked here, before anything is sized from it.
unsigned PngChunkReader::ReadHeader(const unsigned char* data, uint32_t length) {
    if (length != 13) {
        return kPngBadHeaderLength;
    }
    PngImageInfo& info = *m_info;
    info.width = LoadBigEndian32(data);
    info.height = LoadBigEndian32(data + 4);
    info.bitDepth = data[8];
    info.colorType = data[9];
    info.compressionMethod = data[10];
    info.filterMethod = data[11];
    info.interlaceMethod = data[12];
    if (info.width == 0 || info.height == 0 || info.width > kMaxSide || info.height > kMaxSide) {
        return kPngBadImageSize;
    }
    if (info.colorType > 6 || info.Channels() == 0) {
        return kPngBadColorType;
    }
    if (!AllowedBitDepth(info.colorType, info.bitDepth)) {
        return kPngBadBitDepth;
    }
    if (info.compressionMethod != 0) {
        return kPngBadCompressionMethod;
    }
    if (info.filterMethod != 0) {
        return kPngBadFilterMethod;
    }
    if (info.interlaceMethod > 1) {
        return kPngBadInterlaceMethod;
    }
    if (uint64_t(info.width) * info.height * 4 > kMaxOutputBytes) {
        return kPngImageTooLarge;
    }
    return kPngOk;
}

// A suggested palette in a grey image is ignored; palettes after the image data or twice
// are out of order.
unsigned PngChunkReader::ReadPalette(const unsigned char* data, uint32_t length) {
    if (m_seenPalette || m_seenImageData) {
        return kPngChunkOutOfOrder;
    }
    if (length == 0 || length % 3 != 0 || length > 256 * 3) {
        return kPngBadPalette;
    }
    m_seenPalette = true;
    if (!(m_info->colorType & 2)) {
        return kPngOk;
    }
    std::vector<uint8_t>& palette = m_info->palette;
    palette.resize(length / 3 * 4);
    for (uint32_t i = 0; i < length / 3; ++i) {
        palette[i * 4] = data[i * 3];
        palette[i * 4 + 1] = data[i * 3 + 1];
        palette[i * 4 + 2] = data[i * 3 + 2];
        palette[i * 4 + 3] = 255;
    }
    return kPngOk;
}

unsigned PngChunkReader::ReadTransparency(const unsigned char* data, uint32_t length) {
    if (m_seenTransparency || m_seenImageData) {
        return kPngChunkOutOfOrder;
    }
    m_seenTransparency = true;
    PngImageInfo& info = *m_info;
    switch (info.colorType) {
        case PngImageInfo::kPalette:
            if (!m_seenPalette) {
                return kPngChunkOutOfOrder;
            }
            if (length > info.palette.size() / 4) {
                return kPngBadTransparency;
            }
            for (uint32_t i = 0; i < length; ++i) {
                info.palette[i * 4 + 3] = data[i];
            }
            return kPngOk;
        case PngImageInfo::kGrey:
            if (length != 2) {
                return kPngBadTransparency;
            }
            info.hasColorKey = true;
            info.keyRed = info.keyGreen = info.keyBlue = LoadBigEndian16(data);
            return kPngOk;
        case PngImageInfo::kRgb:
            if (length != 6) {
                return kPngBadTransparency;
            }
            info.hasColorKey = true;
            info.keyRed = LoadBigEndian16(data);
            info.keyGreen = LoadBigEndian16(data + 2);
            info.keyBlue = LoadBigEndian16(data + 4);
            return kPngOk;
        default:
            return kPngBadTransparency;  // the image has an alpha channel of its own
    }
}

unsigned PngChunkReader::ReadBackground(const unsigned char* data, uint32_t length) {
    PngImageInfo& info = *m_info;
    const unsigned colorType = info.colorType;
    const uint32_t expected = colorType == PngImageInfo::kPalette ? 1 : (colorType & 2) ? 6 : 2;
    if (length != expected) {
        return kPngBadBackground;
    }
    info.hasBackground = true;
    if (length == 1) {
        info.backgroundIndex = data[0];
    } else if (length == 2) {
        info.backgroundRed = info.backgroundGreen = info.backgroundBlue = LoadBigEndian16(data);
    } else {
        info.backgroundRed = LoadBigEndian16(data);
        info.backgroundGreen = LoadBigEndian16(data + 2);
        info.backgroundBlue = LoadBigEndian16(data + 4);
    }
    return kPngOk;
}

// Keyword, a zero byte, then the text. A chunk without the separator is not text and is
// skipped.
void PngChunkReader::ReadText(const unsigned char* data, uint32_t length) {
    const void* separator = std::memchr(data, 0, length);
    if (separator == nullptr) {
        return;
    }
    const size_t keywordLength = static_cast<const unsigned char*>(separator) - data;
    const char* chars = reinterpret_cast<const char*>(data);
    m_info->texts.push_back(
        PngTextChunk{std::string(chars, keywordLength),
                     std::string(chars + keywordLength + 1, length - keywordLength - 1)});
}
