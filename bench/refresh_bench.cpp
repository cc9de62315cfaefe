// What a refresh costs on the real widgets, repaint included (Qt's offscreen
// platform), and what the colour model adds to the widget writes it causes:
// each case is run through the model and, as a floor, as the same widget
// writes done directly with the model's handlers blocked.
#include "ui/frm_main.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <vector>
#include <map>
#include <memory>
#include <string>

namespace {

std::unique_ptr<frmMain> g_window;

template <typename T>
T* Control(const char* name)
{
    return g_window->findChild<T*>(QLatin1StringView(name));
}

void Repaint()
{
    QApplication::processEvents();
}

// Two colours that differ in every channel, so every view changes each time.
constexpr std::array<int, 2> kColours{0x1E5AC8, 0xC85A1E};

QString Hex2(int channel)
{
    return QString::number(channel, 16).toUpper().rightJustified(2, u'0');
}

// Every view written directly, as the refresh writes them.
void WriteViewsDirectly(int colour)
{
    const int red = colour & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = colour >> 16;
    const std::array<const char*, 3> sliders{"ScrollR", "ScrollG", "ScrollB"};
    const std::array<const char*, 3> decimals{"txtDecR", "txtDecG", "txtDecB"};
    const std::array<const char*, 3> hexes{"txtHexR", "txtHexG", "txtHexB"};
    const std::array<int, 3> channels{red, green, blue};
    std::array<std::unique_ptr<QSignalBlocker>, 11> blockers;
    std::size_t b = 0;
    for (const char* name : sliders)
        blockers[b++] = std::make_unique<QSignalBlocker>(Control<QScrollBar>(name));
    for (const char* name : decimals)
        blockers[b++] = std::make_unique<QSignalBlocker>(Control<QLineEdit>(name));
    for (const char* name : hexes)
        blockers[b++] = std::make_unique<QSignalBlocker>(Control<QLineEdit>(name));
    blockers[b++] = std::make_unique<QSignalBlocker>(Control<QLineEdit>("txtDec"));
    blockers[b++] = std::make_unique<QSignalBlocker>(Control<QLineEdit>("txtHex"));

    for (std::size_t i = 0; i < 3; ++i)
        Control<QScrollBar>(sliders[i])->setValue(channels[i]);
    for (std::size_t i = 0; i < 3; ++i)
        Control<QLineEdit>(decimals[i])->setText(QString::number(channels[i]));
    for (std::size_t i = 0; i < 3; ++i)
        Control<QLineEdit>(hexes[i])->setText(Hex2(channels[i]));
    Control<QLineEdit>("txtDec")->setText(QString::number(colour));
    Control<QLineEdit>("txtHex")->setText(Hex2(blue) + Hex2(green) + Hex2(red));
    auto* swatch = Control<QWidget>("shapeColorDemo");
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue));
    swatch->setPalette(palette);
}

void BM_RefreshThroughModel(benchmark::State& state)
{
    auto* decimal = Control<QLineEdit>("txtDec");
    std::size_t i = 0;
    for (auto _ : state) {
        decimal->setText(QString::number(kColours[i++ % 2])); // the refresh follows
        Repaint();
    }
}
BENCHMARK(BM_RefreshThroughModel);

void BM_RefreshWritesDirect(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        WriteViewsDirectly(kColours[i++ % 2]);
        Repaint();
    }
}
BENCHMARK(BM_RefreshWritesDirect);

// A drag of the green thumb through all 256 positions, a repaint each step.
void BM_DragThroughModel(benchmark::State& state)
{
    auto* bar = Control<QScrollBar>("ScrollG");
    for (auto _ : state) {
        bar->setSliderDown(true);
        for (int position = 0; position <= 255; ++position) {
            bar->setSliderPosition(position);
            Repaint();
        }
        bar->setSliderDown(false);
    }
    state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(BM_DragThroughModel)->Unit(benchmark::kMillisecond);

void BM_DragWritesDirect(benchmark::State& state)
{
    auto* bar = Control<QScrollBar>("ScrollG");
    auto* decimal = Control<QLineEdit>("txtDecG");
    auto* hex = Control<QLineEdit>("txtHexG");
    auto* colourDecimal = Control<QLineEdit>("txtDec");
    auto* colourHex = Control<QLineEdit>("txtHex");
    auto* swatch = Control<QWidget>("shapeColorDemo");
    const QSignalBlocker blockBar(bar);
    const QSignalBlocker blockDecimal(decimal);
    const QSignalBlocker blockHex(hex);
    const QSignalBlocker blockColourDecimal(colourDecimal);
    const QSignalBlocker blockColourHex(colourHex);
    for (auto _ : state) {
        for (int green = 0; green <= 255; ++green) {
            bar->setSliderPosition(green);
            decimal->setText(QString::number(green));
            hex->setText(Hex2(green));
            colourDecimal->setText(QString::number(green * 256));
            colourHex->setText(QStringLiteral("00") + Hex2(green) + QStringLiteral("00"));
            QPalette palette = swatch->palette();
            palette.setColor(QPalette::Window, QColor(0, green, 0));
            swatch->setPalette(palette);
            Repaint();
        }
    }
    state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(BM_DragWritesDirect)->Unit(benchmark::kMillisecond);

// Keeps the median wall time of each case, in microseconds, for the table.
class MedianReporter final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] =
                    run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond ? 1e3 : 1e-3);
        }
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_window = std::make_unique<frmMain>();
    g_window->show();
    Repaint();

    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& m = reporter.medians;
    const auto row = [](const char* what, double value, const char* unit) {
        std::printf("%-44s %10.1f %s\n", what, value, unit);
    };
    const auto added = [&m](const char* model, const char* direct) {
        return 100.0 * (m.at(model) / m.at(direct) - 1.0);
    };
    if (m.size() == 4) {
        row("full refresh with repaint, through the model", m.at("BM_RefreshThroughModel"), "us");
        row("the same widget writes done directly", m.at("BM_RefreshWritesDirect"), "us");
        row("what the model adds", added("BM_RefreshThroughModel", "BM_RefreshWritesDirect"), "%");
        row("drag step with repaint, through the model", m.at("BM_DragThroughModel") / 256, "us");
        row("the same widget writes done directly", m.at("BM_DragWritesDirect") / 256, "us");
        row("what the model adds", added("BM_DragThroughModel", "BM_DragWritesDirect"), "%");
        row("whole drag, 256 positions, through the model", m.at("BM_DragThroughModel") / 1e3, "ms");
        row("one 60 Hz frame, for scale", 1e6 / 60, "us");
    }
    g_window.reset();
    return 0;
}
