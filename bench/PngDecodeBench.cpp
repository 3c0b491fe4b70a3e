// Decode time of the game's PNG decoder against libpng (low-level API, expanded to 8-bit RGBA)
// on the same in-memory files: all valid PngSuite images, and large photo-like images made
// here with libpng (smooth gradients plus noise, default compression). Each iteration decodes
// the set with both decoders; the counters give the RGBA output rate of each in MB/s and the
// ratio ours / libpng.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <time.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "PngReference.h"
#include "png/CPngDecoder.h"

namespace {

using pngref::Bytes;

// Thread CPU time in seconds: the machine is shared, so wall time would count other work.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

std::vector<Bytes> LoadPngSuite() {
    const std::string directory = GLIMMERAX_PNGSUITE;
    std::vector<Bytes> files;
    if (DIR* dir = opendir(directory.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name[0] != 'x' &&
                name.compare(name.size() - 4, 4, ".png") == 0) {
                files.push_back(pngref::ReadFile(directory + "/" + name));
            }
        }
        closedir(dir);
    }
    return files;
}

// Smooth colour gradients with a little noise on every sample, as a photograph has.
Bytes PhotoLike(uint32_t width, uint32_t height, int colorType) {
    pngref::RawImage image;
    image.width = width;
    image.height = height;
    image.colorType = colorType;
    image.bitDepth = 8;
    const unsigned channels = image.Channels();
    const Bytes noise = pngref::NoiseBytes(size_t(width) * height * channels, 2024);
    image.rows.resize(noise.size());
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            for (unsigned c = 0; c < channels; ++c) {
                const size_t i = (size_t(y) * width + x) * channels + c;
                const double wave = std::sin(x / (90.0 + 20 * c)) * std::cos(y / (70.0 + 15 * c));
                const double base = c == 3 ? 200 + 50 * wave : 128 + 90 * wave + (x + y) % 40 - 20;
                const int value = int(base) + noise[i] % 7 - 3;
                image.rows[i] = uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
            }
        }
    }
    return pngref::LibpngEncode(image);
}

size_t RgbaBytes(const std::vector<Bytes>& files) {
    size_t total = 0;
    for (const Bytes& file : files) {
        uint32_t width = 0, height = 0;
        Bytes rgba;
        if (!pngref::LibpngDecode(file, rgba, width, height)) {
            std::abort();
        }
        total += rgba.size();
    }
    return total;
}

void DecodeOurs(const std::vector<Bytes>& files) {
    for (const Bytes& file : files) {
        std::vector<unsigned char> rgba;
        CPngDecoder decoder;
        decoder.Decode(rgba, file);
        if (decoder.HasError()) {
            std::abort();
        }
        benchmark::DoNotOptimize(rgba.data());
    }
}

void DecodeLibpng(const std::vector<Bytes>& files) {
    for (const Bytes& file : files) {
        Bytes rgba;
        uint32_t width = 0, height = 0;
        pngref::LibpngDecode(file, rgba, width, height);
        benchmark::DoNotOptimize(rgba.data());
    }
}

void Compare(benchmark::State& state, const std::vector<Bytes>& files) {
    const double megabytes = double(RgbaBytes(files)) / 1e6;
    double oursSeconds = 0;
    double libpngSeconds = 0;
    for (auto _ : state) {
        const double start = CpuSeconds();
        DecodeOurs(files);
        const double middle = CpuSeconds();
        DecodeLibpng(files);
        const double end = CpuSeconds();
        oursSeconds += middle - start;
        libpngSeconds += end - middle;
    }
    const double n = double(state.iterations());
    state.counters["ours_MBps"] = megabytes * n / oursSeconds;
    state.counters["libpng_MBps"] = megabytes * n / libpngSeconds;
    state.counters["ratio"] = libpngSeconds / oursSeconds;
    size_t compressed = 0;
    for (const Bytes& file : files) {
        compressed += file.size();
    }
    state.counters["file_to_rgba"] = double(compressed) / 1e6 / megabytes;
}

void PngSuite(benchmark::State& state) {
    static const std::vector<Bytes> files = LoadPngSuite();
    Compare(state, files);
}

void PhotoRgb1024(benchmark::State& state) {
    static const std::vector<Bytes> files = {PhotoLike(1024, 1024, 2)};
    Compare(state, files);
}

void PhotoRgba1024(benchmark::State& state) {
    static const std::vector<Bytes> files = {PhotoLike(1024, 1024, 6)};
    Compare(state, files);
}

void PhotoRgb2048x1536(benchmark::State& state) {
    static const std::vector<Bytes> files = {PhotoLike(2048, 1536, 2)};
    Compare(state, files);
}

void PhotoRgba2048x1536(benchmark::State& state) {
    static const std::vector<Bytes> files = {PhotoLike(2048, 1536, 6)};
    Compare(state, files);
}

}  // namespace

BENCHMARK(PngSuite)->Unit(benchmark::kMillisecond);
BENCHMARK(PhotoRgb1024)->Unit(benchmark::kMillisecond);
BENCHMARK(PhotoRgba1024)->Unit(benchmark::kMillisecond);
BENCHMARK(PhotoRgb2048x1536)->Unit(benchmark::kMillisecond);
BENCHMARK(PhotoRgba2048x1536)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
