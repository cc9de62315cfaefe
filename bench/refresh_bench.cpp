// What a refresh costs on the real widgets, repaint included (Qt's offscreen
// platform), and what the colour model adds to the widget writes it causes.
// Each case runs as pairs of short batches: one through the model, one as the
// same widget writes done directly with the model's handlers blocked, the two
// taking turns at going first. The ratio within a pair leaves out whatever
// else the machine was doing at that moment; its median over many pairs, and
// how widely single pairs scatter around it, are what the table reports.
// Usage: refresh_bench [PAIRS]
#include "quantile.h"

#include "ui/frm_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultPairs = 300;
constexpr int kWarmUpPairs = 20; // glyph caches and the like; not counted
constexpr int kWholeDrags = 10;
// A few milliseconds' worth each: long enough for the clock, short enough
// that the machine seldom changes pace within a pair.
constexpr int kRefreshesPerBatch = 8;
constexpr int kDragStepsPerBatch = 16;
constexpr int kPositions = 256;

std::unique_ptr<tintwell::ui::frmMain> g_window;

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
constexpr std::array<int, 2> kColors{0x1E5AC8, 0xC85A1E};

int ColorAt(int step)
{
    return kColors[static_cast<std::size_t>(step) % kColors.size()];
}

QString Hex2(int channel)
{
    return QString::number(channel, 16).toUpper().rightJustified(2, u'0');
}

// Holds back the signals of every view a refresh writes, so that a write
// reaches none of the model's handlers.
class HandlersBlocked {
public:
    HandlersBlocked()
    {
        constexpr std::array<const char*, 11> kViews{"ScrollR", "ScrollG", "ScrollB", "txtDecR", "txtDecG", "txtDecB",
                                                     "txtHexR", "txtHexG", "txtHexB", "txtDec",  "txtHex"};
        m_blockers.reserve(kViews.size());
        for (const char* name : kViews)
            m_blockers.emplace_back(Control<QObject>(name));
    }

private:
    std::vector<QSignalBlocker> m_blockers;
};

void PaintSwatch(int red, int green, int blue)
{
    auto* swatch = Control<QWidget>("shapeColorDemo");
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue));
    swatch->setPalette(palette);
}

// Every view written directly, as the refresh writes them.
void WriteViewsDirectly(int color)
{
    const std::array<int, 3> channels{color & 0xFF, (color >> 8) & 0xFF, color >> 16};
    const std::array<const char*, 3> sliders{"ScrollR", "ScrollG", "ScrollB"};
    const std::array<const char*, 3> decimals{"txtDecR", "txtDecG", "txtDecB"};
    const std::array<const char*, 3> hexes{"txtHexR", "txtHexG", "txtHexB"};
    for (std::size_t i = 0; i < 3; ++i)
        Control<QScrollBar>(sliders[i])->setValue(channels[i]);
    for (std::size_t i = 0; i < 3; ++i)
        Control<QLineEdit>(decimals[i])->setText(QString::number(channels[i]));
    for (std::size_t i = 0; i < 3; ++i)
        Control<QLineEdit>(hexes[i])->setText(Hex2(channels[i]));
    Control<QLineEdit>("txtDec")->setText(QString::number(color));
    Control<QLineEdit>("txtHex")->setText(Hex2(channels[2]) + Hex2(channels[1]) + Hex2(channels[0]));
    PaintSwatch(channels[0], channels[1], channels[2]);
}

// What one step of the green thumb's drag writes, red and blue being 0.
void WriteDragStepDirectly(int green)
{
    Control<QScrollBar>("ScrollG")->setSliderPosition(green);
    Control<QLineEdit>("txtDecG")->setText(QString::number(green));
    Control<QLineEdit>("txtHexG")->setText(Hex2(green));
    Control<QLineEdit>("txtDec")->setText(QString::number(green * 256));
    Control<QLineEdit>("txtHex")->setText(QStringLiteral("00") + Hex2(green) + QStringLiteral("00"));
    PaintSwatch(0, green, 0);
}

// One operation each way, given the step it is. The two sides share one
// count, so every step changes every view it writes, whichever side wrote
// the one before.
struct Case {
    std::function<void(int step)> throughModel;
    std::function<void(int step)> direct;
    int batch;
};

struct Pair {
    double model;  // µs per operation
    double direct; // µs per operation
};

std::vector<Pair> RunPairs(const Case& c, int pairs)
{
    int step = 1;
    const auto batch = [&](bool throughModel) {
        std::optional<HandlersBlocked> blocked;
        if (!throughModel)
            blocked.emplace();
        const auto& operation = throughModel ? c.throughModel : c.direct;
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < c.batch; ++i) {
            operation(step++);
            Repaint();
        }
        return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / c.batch;
    };

    std::vector<Pair> result;
    result.reserve(static_cast<std::size_t>(pairs));
    for (int pair = -kWarmUpPairs; pair < pairs; ++pair) {
        Pair times{};
        if (pair % 2 == 0) {
            times.model = batch(true);
            times.direct = batch(false);
        } else {
            times.direct = batch(false);
            times.model = batch(true);
        }
        if (pair >= 0)
            result.push_back(times);
    }
    return result;
}

// The 95 % confidence interval of the median, from the order statistics
// alone: nothing assumed about how the values are distributed.
std::pair<double, double> MedianInterval(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const double n = static_cast<double>(values.size());
    const double half = 0.98 * std::sqrt(n); // 1.96 standard deviations of a binomial count, halved
    const auto low = static_cast<std::size_t>(std::max(0.0, std::floor(n / 2 - half)));
    const auto high = std::min(values.size() - 1, static_cast<std::size_t>(std::ceil(n / 2 + half)));
    return {values[low], values[high]};
}

void Row(const char* what, const std::vector<double>& values, const char* unit)
{
    std::printf("%-46s %9.1f %-2s %9.1f to %.1f\n", what, Quantile(values, 0.5), unit, Quantile(values, 0.1),
                Quantile(values, 0.9));
}

void Report(const char* model, const char* direct, const char* adds, const std::vector<Pair>& pairs)
{
    std::vector<double> modelTimes;
    std::vector<double> directTimes;
    std::vector<double> added;
    for (const Pair& pair : pairs) {
        modelTimes.push_back(pair.model);
        directTimes.push_back(pair.direct);
        added.push_back(100.0 * (pair.model / pair.direct - 1.0));
    }
    Row(model, modelTimes, "us");
    Row(direct, directTimes, "us");
    const auto [low, high] = MedianInterval(added);
    std::printf("%-46s %9.1f %-2s %9.1f to %.1f; the median %.1f to %.1f at 95 %% confidence\n", adds,
                Quantile(added, 0.5), "%", Quantile(added, 0.1), Quantile(added, 0.9), low, high);
}

} // namespace

int main(int argc, char* argv[])
{
    const int pairs = argc > 1 ? std::atoi(argv[1]) : kDefaultPairs;
    if (argc > 2 || pairs < 10) {
        std::fprintf(stderr, "usage: %s [PAIRS]   (at least 10; %d unless given)\n", argv[0], kDefaultPairs);
        return 64;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_window = std::make_unique<tintwell::ui::frmMain>();
    g_window->show();
    Repaint();

    auto* colorDecimal = Control<QLineEdit>("txtDec");
    auto* green = Control<QScrollBar>("ScrollG");

    const Case fullRefresh{
        [colorDecimal](int step) { colorDecimal->setText(QString::number(ColorAt(step))); },
        [](int step) { WriteViewsDirectly(ColorAt(step)); },
        kRefreshesPerBatch,
    };
    const std::vector<Pair> refreshes = RunPairs(fullRefresh, pairs);

    // The drag starts from black, which the direct writes take for granted.
    colorDecimal->setText(QStringLiteral("0"));
    Repaint();
    green->setSliderDown(true);
    const Case dragStep{
        [green](int step) { green->setSliderPosition(step % kPositions); },
        [](int step) { WriteDragStepDirectly(step % kPositions); },
        kDragStepsPerBatch,
    };
    const std::vector<Pair> steps = RunPairs(dragStep, pairs);
    green->setSliderDown(false);
    Repaint();

    std::vector<double> wholeDrags;
    for (int drag = 0; drag < kWholeDrags; ++drag) {
        const Clock::time_point start = Clock::now();
        green->setSliderDown(true);
        for (int position = 0; position < kPositions; ++position) {
            green->setSliderPosition(position);
            Repaint();
        }
        green->setSliderDown(false);
        Repaint();
        wholeDrags.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }

    std::printf("%d pairs of short batches, the model's and the direct one taking turns at going\n"
                "first; the spread is that of single batches, and of single pairs for what the\n"
                "model adds\n",
                pairs);
    std::printf("%-46s %9s    %s\n", "", "median", "10th to 90th percentile");
    Report("full refresh with repaint, through the model", "the same widget writes done directly",
           "what the model adds, pair by pair", refreshes);
    Report("drag step with repaint, through the model", "the same widget writes done directly",
           "what the model adds, pair by pair", steps);
    Row("whole drag, 256 positions, through the model", wholeDrags, "ms");
    std::printf("%-46s %9.1f us\n", "one 60 Hz frame, for scale", 1e6 / 60);
    std::fflush(stdout);
    g_window.reset();
    return 0;
}
