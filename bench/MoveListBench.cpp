// The Info window's move list: the cost of one appended step, with a short list and a very long one.
// The box is laid out as shown in the window (273 x 145 pixels, Courier New 9.75 pt), headless
// unless a display is asked for.
#include "MoveListBox.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using kelmarin::ui::MoveListBox;

// Turns as the notation writes them, until the text holds about `size` characters.
QString ListOfSize(int size)
{
    QString text;
    for (int turn = 1; text.size() < size; ++turn)
        text += QStringLiteral("%1%2.%3-%4%5 ")
                    .arg((turn + 1) / 2)
                    .arg(turn % 2 == 1 ? QLatin1Char('R') : QLatin1Char('B'))
                    .arg(turn % 32 + 1)
                    .arg((turn * 7) % 32 + 1)
                    .arg(turn % 5 == 0 ? QStringLiteral("x,14-23x") : QString());
    return text;
}

// One step more on a list of state.range(0) characters: the new text as the window builds it, then
// shown. Every few hundred steps the list goes back to its first length, outside the measurement.
void AppendStep(benchmark::State& state)
{
    MoveListBox box;
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.75);
    box.setFont(font);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.resize(273, 145);
    const QString start = ListOfSize(static_cast<int>(state.range(0)));
    box.SetText(start);
    int appended = 0;
    for (auto _ : state) {
        if (++appended == 500) {
            state.PauseTiming();
            box.SetText(start);
            appended = 0;
            state.ResumeTiming();
        }
        box.SetText(box.toPlainText() +
                    (appended % 2 == 1 ? QStringLiteral(" 77B.22-18x") : QStringLiteral(" 78R.9-14")));
        benchmark::DoNotOptimize(box.LineCount());
    }
    state.counters["lines"] = box.LineCount();
}
BENCHMARK(AppendStep)->Arg(1500)->Arg(300000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
