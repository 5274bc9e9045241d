// Thumbnail drawing speed: every picture list item is redrawn through MakeThumb when painted.
#include <benchmark/benchmark.h>

#include <random>

#include "core/pictures/Bitmap.h"
#include "core/pictures/MakeThumb.h"

namespace kinloom {
namespace {

Bitmap Photo(int width, int height) {
    std::mt19937 rng(3);
    Bitmap b(width, height);
    for (auto& byte : b.PixelBytes()) byte = static_cast<std::uint8_t>(rng() >> 24);
    return b;
}

// Sizes the window draws at: 32 for list items, 64 for family ties and the picker, 128 when a
// neighborhood loads. Sources: a sim's in-memory thumbnail (already 128, so 128 is a plain copy),
// a larger decoded JPEG thumbnail, and a stored neighborhood picture (at most 400 × 300).
void Thumb(benchmark::State& state, int sourceWidth, int sourceHeight) {
    const Bitmap source = Photo(sourceWidth, sourceHeight);
    const int size = static_cast<int>(state.range(0));
    Bitmap target;
    for (auto _ : state) {
        MakeThumb(source, target, size);
        benchmark::DoNotOptimize(target.PixelBytes().data());
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(Thumb, sim_128, 128, 128)->Arg(32)->Arg(64)->Arg(128);
BENCHMARK_CAPTURE(Thumb, jpeg_256, 256, 256)->Arg(32)->Arg(64)->Arg(128);
BENCHMARK_CAPTURE(Thumb, neighborhood_400x300, 400, 300)->Arg(32)->Arg(64)->Arg(128);

}  // namespace
}  // namespace kinloom
