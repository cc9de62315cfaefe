// The colour model's own cost, without any widget: the formats and one full
// refresh against a view that does nothing.
#include "core/channel_state.h"
#include "core/color_formats.h"
#include "core/color_name.h"
#include "core/color_notation.h"
#include "core/color_sample.h"
#include "core/contrast.h"
#include "core/numeric_text.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace tintwell;

namespace {

class NullView final : public ColorView {
public:
    std::int16_t Value(Slider) const override { return 0; }
    void SetValue(Slider, std::int16_t) override {}
    void SetSmallChange(Slider, std::int16_t) override {}
    std::u16string Text(Box) const override { return u"16777215"; }
    void SetText(Box, const std::u16string&) override {}
    std::int16_t Value(CheckBox) const override { return 0; }
    void SetBackColor(std::int32_t) override {}
};

class NoMessages final : public OkMessageBox {
public:
    void Show(std::u16string_view, std::u16string_view) override {}
};

void BM_ChannelHexText(benchmark::State& state)
{
    std::int32_t channel = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChannelHexText(channel));
        channel = (channel + 1) & 0xFF;
    }
}
BENCHMARK(BM_ChannelHexText);

void BM_ColorDecimalText(benchmark::State& state)
{
    std::int32_t channel = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ColorDecimalText(channel, 255 - channel, channel ^ 0x55));
        channel = (channel + 1) & 0xFF;
    }
}
BENCHMARK(BM_ColorDecimalText);

void BM_ColorHexText(benchmark::State& state)
{
    std::int32_t channel = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ColorHexText(channel, 255 - channel, channel ^ 0x55));
        channel = (channel + 1) & 0xFF;
    }
}
BENCHMARK(BM_ColorHexText);

void BM_PadString(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PadString(u"F", 2, u"0"));
}
BENCHMARK(BM_PadString);

void BM_RoundToWebSafe(benchmark::State& state)
{
    NoMessages messages;
    std::int32_t channel = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RoundToWebSafe(channel, messages));
        channel = (channel + 1) & 0xFF;
    }
}
BENCHMARK(BM_RoundToWebSafe);

void BM_ParseNumber(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseNumber(u" 12.5 ", u"."));
}
BENCHMARK(BM_ParseNumber);

void BM_UpdateDisplayNullView(benchmark::State& state)
{
    NullView view;
    ChannelState channels(view);
    std::int32_t channel = 0;
    for (auto _ : state) {
        channels.SetColor({channel, 255 - channel, channel ^ 0x55});
        channel = (channel + 1) & 0xFF;
    }
}
BENCHMARK(BM_UpdateDisplayNullView);

void BM_NearestColorName(benchmark::State& state)
{
    std::uint32_t i = 0;
    for (auto _ : state) {
        // Knuth's multiplier scatters neighbouring steps across the cube.
        const std::uint32_t rgb = (i * 2654435761U) & 0xFFFFFFU;
        benchmark::DoNotOptimize(
            NearestColorName(Rgb{static_cast<std::int32_t>(rgb >> 16), static_cast<std::int32_t>((rgb >> 8) & 0xFFU),
                                 static_cast<std::int32_t>(rgb & 0xFFU)}));
        ++i;
    }
}
BENCHMARK(BM_NearestColorName);

void BM_SampleMean9x9(benchmark::State& state)
{
    constexpr int kSide = 19;
    std::array<std::uint32_t, kSide * kSide> pixels{};
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000U | static_cast<std::uint32_t>((i * 2654435761U) & 0xFFFFFFU);
    const PixelGrid grid{pixels.data(), kSide, kSide, kSide};
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SampleMean(grid, 5 + x, 9, 9));
        x = (x + 1) % 9;
    }
}
BENCHMARK(BM_SampleMean9x9);

// Reading one pasted notation of each kind; the oklch() beyond sRGB has its
// chroma searched down by the gamut mapping.
void BM_ParseNotation(benchmark::State& state)
{
    static constexpr std::array<std::u16string_view, 9> kTexts{
        u"#FF8000",           u"rgb(255, 128, 0)",       u"rebeccapurple",          u"hsl(30deg 100% 50%)",
        u"hwb(30 0% 0%)",     u"lab(67.05 42.83 74.03)", u"oklch(0.732 0.1858 53)", u"color(srgb 1 0.5 0)",
        u"oklch(0.7 0.4 150)"};
    const std::u16string_view text = kTexts[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseColorNotation(text));
    state.SetLabel(std::string(text.begin(), text.end()));
}
BENCHMARK(BM_ParseNotation)->DenseRange(0, 8);

// What the swatch's refresh asks for: the name and the three contrasts.
void BM_NameAndContrast(benchmark::State& state)
{
    std::int32_t step = 0;
    for (auto _ : state) {
        const Rgb color{step & 0xFF, (step * 7) & 0xFF, (step * 13) & 0xFF};
        benchmark::DoNotOptimize(ColorNameText(color));
        benchmark::DoNotOptimize(ContrastRatio(color, {255, 255, 255}));
        benchmark::DoNotOptimize(ContrastRatio(color, {0, 0, 0}));
        benchmark::DoNotOptimize(ContrastRatio(color, {18, 52, 86}));
        ++step;
    }
}
BENCHMARK(BM_NameAndContrast);

} // namespace

BENCHMARK_MAIN();
