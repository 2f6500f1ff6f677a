// The widest table page ("Taulukko (laaja)") of 1, 4, 13 and 26 channels: from page text to the
// laid-out page on screen in the browser control's kept-alive view, and the longest time the
// window's thread was busy meanwhile; beside building the same page.
#include "bench/QtForBench.h"
#include "bench/SampleStore.h"
#include "listings/NakymaTaulukko.h"
#include "platform/core/Strings.h"
#include "shell/BrowserHost.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

using bench_store::kShownDate;
const QString kPainted = QStringLiteral("qex-bench-painted");

void BM_BuildWideTablePage(benchmark::State& state)
{
    bench_store::SampleStore(static_cast<int>(state.range(0)), 1);
    const TStringList channels = bench_store::ChannelNames(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTableView(channels, true, kShownDate, {}).page.Count());
}

// The window's thread as a 1 ms timer sees it: the longest gap between two ticks, less the
// tick itself, is the longest time the thread did something else without a break.
class BusyProbe {
public:
    BusyProbe()
    {
        FTimer.setTimerType(Qt::PreciseTimer);
        FTimer.setInterval(1);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            const qint64 now = FClock.nsecsElapsed();
            FLongest = std::max(FLongest, now - FLast);
            FLast = now;
        });
    }
    void Start()
    {
        FClock.start();
        FLast = 0;
        FLongest = 0;
        FTimer.start();
    }
    double LongestBusyMs()
    {
        FTimer.stop();
        return std::max<qint64>(0, std::max(FLongest, FClock.nsecsElapsed() - FLast) - 1000000) / 1e6;
    }

private:
    QTimer FTimer;
    QElapsedTimer FClock;
    qint64 FLast = 0;
    qint64 FLongest = 0;
};

// One kept-alive control as the main window has it, with a script of the benchmark's own that
// renames the page once two frames have been drawn after loading: the page is then on screen.
struct ShownControl {
    TBrowserHost host{nullptr};
    QWebEngineView* view = nullptr;

    ShownControl()
    {
        host.Widget()->resize(1000, 700);
        host.Widget()->show();
        TStringList blank;
        blank.Add("<HTML><BODY></BODY></HTML>");
        host.LoadHtmlFromStrings(blank);
        view = host.Widget()->findChild<QWebEngineView*>();
        QWebEngineScript painted;
        painted.setName("qexbench");
        painted.setWorldId(QWebEngineScript::ApplicationWorld);
        painted.setInjectionPoint(QWebEngineScript::DocumentCreation);
        painted.setSourceCode(QStringLiteral("window.addEventListener('load', function () {"
                                             "  requestAnimationFrame(function () { requestAnimationFrame(function () {"
                                             "    document.title = '%1'; }); }); });")
                                  .arg(kPainted));
        view->page()->scripts().insert(painted);
    }
};

struct Shown {
    double loadedMs = -1;
    double paintedMs = -1;
    double busiestMs = 0;
};

Shown ShowOnce(ShownControl& control, const TStringList& page)
{
    Shown shown;
    BusyProbe probe;
    QEventLoop loop;
    QElapsedTimer clock;
    QWebEnginePage* engine = control.view->page();
    auto loaded = QObject::connect(engine, &QWebEnginePage::loadFinished,
                                   [&] { shown.loadedMs = clock.nsecsElapsed() / 1e6; });
    auto titled = QObject::connect(engine, &QWebEnginePage::titleChanged, [&](const QString& title) {
        if (title == kPainted) {
            shown.paintedMs = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    QTimer::singleShot(0, [&] {
        probe.Start();
        clock.start();
        control.host.LoadHtmlFromStrings(page);
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    shown.busiestMs = probe.LongestBusyMs();
    QObject::disconnect(loaded);
    QObject::disconnect(titled);
    return shown;
}

void BM_ShowWideTablePage(benchmark::State& state)
{
    EnsureQt();
    bench_store::SampleStore(static_cast<int>(state.range(0)), 1);
    const TableView view = BuildTableView(bench_store::ChannelNames(static_cast<int>(state.range(0))), true, kShownDate, {});
    static std::unique_ptr<ShownControl> control;
    if (!control)
        control = std::make_unique<ShownControl>();
    ShowOnce(*control, view.page); // the engine's first page of this size is not the measure
    double loaded = 0, busiest = 0;
    for (auto _ : state) {
        const Shown shown = ShowOnce(*control, view.page);
        if (shown.paintedMs < 0) {
            state.SkipWithError("the page was not shown within 20 s");
            break;
        }
        state.SetIterationTime(shown.paintedMs / 1000);
        loaded += shown.loadedMs;
        busiest = std::max(busiest, shown.busiestMs);
    }
    state.counters["loaded_ms"] = benchmark::Counter(loaded, benchmark::Counter::kAvgIterations);
    state.counters["longest_busy_ms"] = busiest;
    state.counters["page_kB"] = view.page.Text().size() / 1024.0;
}

BENCHMARK(BM_BuildWideTablePage)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowWideTablePage)
    ->Apply(bench_store::ForEachChannelCount)
    ->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

} // namespace
