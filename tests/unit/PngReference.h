#pragma once
// Reference tools for the PNG decoder tests: libpng decodes (low-level API, expanded to 8-bit
// RGBA, no gamma handling) and encodes, and a hand-made PNG writer on zlib gives full control
// over filters, zlib settings and chunk layout.

#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pngref {

using Bytes = std::vector<unsigned char>;

inline Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct MemoryReader {
    const Bytes* data;
    size_t position;
};

inline void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->data->size() - reader->position < count) {
        png_error(png, "read past end");
    }
    std::memcpy(out, reader->data->data() + reader->position, count);
    reader->position += count;
}

inline void IgnoreWarning(png_structp, png_const_charp) {}

// libpng's decode to 8-bit RGBA; false when libpng rejects the file.
inline bool LibpngDecode(const Bytes& file, Bytes& rgba, uint32_t& width, uint32_t& height) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{&file, 0};
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_tRNS_to_alpha(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    rgba.assign(size_t(width) * height * 4, 0);
    for (uint32_t y = 0; y < height; ++y) {
        rows.push_back(rgba.data() + size_t(y) * width * 4);
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// Raw (unfiltered) scanlines plus the header of an image to write.
struct RawImage {
    uint32_t width = 1;
    uint32_t height = 1;
    int colorType = 0;
    int bitDepth = 8;
    int interlace = 0;
    Bytes rows;          // height rows of RowBytes() bytes, packed at the bit depth
    Bytes palette;       // RGB triples
    Bytes transparency;  // tRNS chunk data as stored

    unsigned Channels() const {
        static const unsigned channels[7] = {1, 0, 3, 1, 2, 0, 4};
        return channels[colorType];
    }
    size_t RowBytes(uint32_t pixels) const {
        return (size_t(pixels) * Channels() * bitDepth + 7) / 8;
    }
    size_t RowBytes() const { return RowBytes(width); }
};

inline void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

inline void FlushNothing(png_structp) {}

// libpng's encoding of the image with its default (adaptive) filters, compression level and
// IDAT chunks of at most idatBuffer bytes.
inline Bytes LibpngEncode(const RawImage& image, int level = Z_DEFAULT_COMPRESSION,
                          size_t idatBuffer = 8192) {
    Bytes out;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Bytes();
    }
    png_set_write_fn(png, &out, WriteToMemory, FlushNothing);
    png_set_compression_level(png, level);
    png_set_compression_buffer_size(png, idatBuffer);
    png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
                 image.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!image.palette.empty()) {
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(image.palette.data()),
                     int(image.palette.size() / 3));
    }
    if (!image.transparency.empty()) {
        png_color_16 key{};
        const Bytes& t = image.transparency;
        if (image.colorType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, t.data(), int(t.size()), nullptr);
        } else {
            key.gray = key.red = png_uint_16(t[0] << 8 | t[1]);
            if (t.size() == 6) {
                key.green = png_uint_16(t[2] << 8 | t[3]);
                key.blue = png_uint_16(t[4] << 8 | t[5]);
            }
            png_set_tRNS(png, info, nullptr, 0, &key);
        }
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    Bytes copy = image.rows;
    for (uint32_t y = 0; y < image.height; ++y) {
        rows.push_back(copy.data() + y * image.RowBytes());
    }
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// zlib settings for the hand-made writer: level 0 gives stored blocks; strategy Z_FIXED gives
// fixed-code blocks; windowBits 8..15.
struct ZlibSettings {
    int level = Z_DEFAULT_COMPRESSION;
    int windowBits = 15;
    int strategy = Z_DEFAULT_STRATEGY;
};

inline Bytes Compress(const Bytes& data, const ZlibSettings& settings) {
    z_stream stream{};
    deflateInit2(&stream, settings.level, Z_DEFLATED, settings.windowBits, 8, settings.strategy);
    Bytes out(deflateBound(&stream, uLong(data.size())) + 64);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline void PutBigEndian32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(uint8_t(value >> shift));
    }
}

inline void AppendChunk(Bytes& file, const char* type, const Bytes& data) {
    PutBigEndian32(file, uint32_t(data.size()));
    const size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    PutBigEndian32(file, uint32_t(crc32(0, file.data() + start, uInt(file.size() - start))));
}

inline Bytes HeaderData(uint32_t width, uint32_t height, int depth, int colorType, int interlace) {
    Bytes ihdr;
    PutBigEndian32(ihdr, width);
    PutBigEndian32(ihdr, height);
    ihdr.push_back(uint8_t(depth));
    ihdr.push_back(uint8_t(colorType));
    ihdr.push_back(0);
    ihdr.push_back(0);
    ihdr.push_back(uint8_t(interlace));
    return ihdr;
}

inline uint8_t PaethPredictor(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Filters one row with the given type (the encoder side of the five filters).
inline Bytes FilterRow(const uint8_t* row, const uint8_t* prev, size_t n, size_t stride, int type) {
    Bytes out(n + 1);
    out[0] = uint8_t(type);
    for (size_t i = 0; i < n; ++i) {
        const int a = i >= stride ? row[i - stride] : 0;
        const int b = prev ? prev[i] : 0;
        const int c = (prev && i >= stride) ? prev[i - stride] : 0;
        const int predictor = type == 1   ? a
                              : type == 2 ? b
                              : type == 3 ? (a + b) / 2
                              : type == 4 ? PaethPredictor(a, b, c)
                                          : 0;
        out[i + 1] = uint8_t(row[i] - predictor);
    }
    return out;
}

// The filtered scanline stream of a non-interlaced image, row y filtered with type y % 5.
inline Bytes FilterAllTypes(const RawImage& image) {
    const size_t n = image.RowBytes();
    const size_t bits = size_t(image.Channels()) * image.bitDepth;
    const size_t stride = bits < 8 ? 1 : bits / 8;
    Bytes out;
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.rows.data() + y * n;
        const Bytes filtered = FilterRow(row, y ? row - n : nullptr, n, stride, int(y % 5));
        out.insert(out.end(), filtered.begin(), filtered.end());
    }
    return out;
}

// A PNG file built by hand: IHDR, optional PLTE and tRNS, the zlib stream split into IDAT
// chunks of at most idatSize bytes, IEND.
inline Bytes BuildPng(const RawImage& image, const Bytes& zlibStream, size_t idatSize) {
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    AppendChunk(
        file, "IHDR",
        HeaderData(image.width, image.height, image.bitDepth, image.colorType, image.interlace));
    if (!image.palette.empty()) {
        AppendChunk(file, "PLTE", image.palette);
    }
    if (!image.transparency.empty()) {
        AppendChunk(file, "tRNS", image.transparency);
    }
    for (size_t at = 0; at < zlibStream.size(); at += idatSize) {
        const size_t n = std::min(idatSize, zlibStream.size() - at);
        AppendChunk(file, "IDAT", Bytes(zlibStream.begin() + at, zlibStream.begin() + at + n));
    }
    AppendChunk(file, "IEND", Bytes());
    return file;
}

// Deterministic pseudo-random bytes.
inline Bytes NoiseBytes(size_t count, uint32_t seed) {
    Bytes out(count);
    uint32_t state = seed * 2654435761u + 1;
    for (auto& b : out) {
        state = state * 1664525u + 1013904223u;
        b = uint8_t(state >> 24);
    }
    return out;
}

}  // namespace pngref
