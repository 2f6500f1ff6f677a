// The widest table page ("Taulukko (laaja)") of 1, 4, 13 and 26 channels: from page text to the
// page's second animation frame after loading (drawn on screen on a real display, which is used
// when DISPLAY is set; only composed under the offscreen platform), in a control's kept-alive
// view and in a new one (the cold show after the engine was freed: the median and the worst of a
// few), with the page's own timing of its load; the longest time the window's thread was busy
// meanwhile; the resident memory of the program and its engine processes before, during and
// after a table; beside building the same page. The floor runs in turn with the control's shows,
// pair by pair (see InTurn.h): a bare engine of the same settings (bench_bare_page) starting in a
// new process with the page beside each cold show, and reloading it in its running view beside
// each kept-alive show; the medians of the ratios are printed.
#include "bench/InTurn.h"
#include "bench/QtForBench.h"
#include "bench/SampleStore.h"
#include "listings/NakymaTaulukko.h"
#include "platform/core/Strings.h"
#include "platform/services/WebPageProxy.h"
#include "shell/BrowserHost.h"
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <signal.h>
#include <unistd.h>

namespace {

using bench_store::kShownDate;
const QString kSecondFrame = QStringLiteral("qex-bench-second-frame");
constexpr double kMiB = 1024.0 * 1024.0;
constexpr size_t kColdShows = 5;

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

// One control as the main window has it. The engine runs in the control's helper process; a
// script of the benchmark's own, run there once the page has loaded, renames the page at its
// second animation frame: by then the page was laid out and drawn.
struct ShownControl {
    TBrowserHost host{nullptr};

    ShownControl()
    {
        host.SetDownloadOptions(host.DownloadOptions() << TDownloadControlOption::DLCTL_NO_SCRIPTS);
        host.Widget()->resize(1000, 700);
        host.Widget()->show();
    }

    // The proxy has no meta-object of its own, so it is told from the other children by its type.
    WebPageProxy* View()
    {
        for (QObject* child : host.Widget()->findChildren<QObject*>())
            if (auto* view = dynamic_cast<WebPageProxy*>(child))
                return view;
        return nullptr;
    }

    // What the engine answers, waited for in the event loop; null after 20 s.
    QJsonValue Probe(const QString& name, const QJsonArray& arguments = {})
    {
        QJsonValue answer;
        bool answered = false;
        if (WebPageProxy* view = View())
            view->Probe(name, arguments, [&](const QJsonValue& value) {
                answer = value;
                answered = true;
            });
        QDeadlineTimer deadline(20000);
        while (View() && !answered && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        return answer;
    }
};
// Resident memory of this process and every process it started (the engine's), from /proc:
// the sum of resident sizes counts shared pages once per process; the proportional sizes share
// them out.
struct Memory {
    double residentMiB = 0;
    double anonymousMiB = 0; // of the resident: what no file backs (the rest is mapped libraries)
    double proportionalMiB = 0;
    int processes = 0;
};

// The number after "\nName:" in a /proc file read with a leading line break.
qint64 Field(const QByteArray& text, const QByteArray& name)
{
    const qsizetype at = text.indexOf("\n" + name);
    if (at < 0)
        return 0;
    const qsizetype from = at + 1 + name.size();
    const qsizetype end = text.indexOf('\n', from);
    return text.mid(from, end < 0 ? -1 : end - from).simplified().split(' ').value(0).toLongLong();
}

QByteArray ReadProc(qint64 pid, const char* file)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    return f.open(QIODevice::ReadOnly) ? "\n" + f.readAll() : QByteArray();
}

Memory MemoryOfProgram()
{
    std::map<qint64, qint64> parentOf;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (number)
            parentOf[pid] = Field(ReadProc(pid, "status"), "PPid:");
    }
    const auto ours = [&](qint64 pid) {
        for (int depth = 0; pid > 1 && depth < 16; ++depth, pid = parentOf[pid])
            if (pid == getpid())
                return true;
        return false;
    };
    Memory memory;
    for (const auto& [pid, parent] : parentOf) {
        if (!ours(pid))
            continue;
        ++memory.processes;
        const QByteArray status = ReadProc(pid, "status");
        memory.residentMiB += Field(status, "VmRSS:") * 1024 / kMiB;
        memory.anonymousMiB += Field(status, "RssAnon:") * 1024 / kMiB;
        memory.proportionalMiB += Field(ReadProc(pid, "smaps_rollup"), "Pss:") * 1024 / kMiB;
    }
    return memory;
}

void RunFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Shown {
    double loadedMs = -1;
    double paintedMs = -1;
    double busiestMs = 0;
    double pageStartedMs = -1; // when the engine began to load the page
    double inPageMs = -1;      // from then to the end of the page's load, as the page timed it
};

double EpochMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// The page's own timing: when its load began (on the wall clock) and how long it took.
void TakePageTiming(ShownControl& control, double askedEpochMs, Shown& shown)
{
    const QJsonValue answer = control.Probe(
        "script", {QStringLiteral("JSON.stringify([performance.timeOrigin,"
                                  "  performance.timing.loadEventEnd - performance.timing.navigationStart]);")});
    const QJsonArray timing = QJsonDocument::fromJson(answer.toString().toUtf8()).array();
    if (timing.size() != 2)
        return;
    shown.pageStartedMs = timing[0].toDouble() - askedEpochMs;
    shown.inPageMs = timing[1].toDouble();
}

Shown ShowOnce(ShownControl& control, const TStringList& page)
{
    Shown shown;
    BusyProbe probe;
    QElapsedTimer clock;
    probe.Start();
    clock.start();
    const double asked = EpochMs();
    // A new view (and helper) is made for the first page after the engine was freed; a table
    // view coming back into sight gets its page at once, as the main window's do.
    control.host.Widget()->show();
    control.host.LoadHtmlFromStrings(page);
    QDeadlineTimer deadline(20000);
    while (control.host.ReadyState() != READYSTATE_COMPLETE && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 1);
    if (control.host.ReadyState() == READYSTATE_COMPLETE) {
        shown.loadedMs = clock.nsecsElapsed() / 1e6;
        control.Probe("script", {QStringLiteral("requestAnimationFrame(function () { requestAnimationFrame(function () {"
                                                "  document.title = '%1'; }); }); 0;")
                                     .arg(kSecondFrame)});
        while (control.Probe("title").toString() != kSecondFrame && !deadline.hasExpired() && control.View())
            ;
        if (!deadline.hasExpired()) {
            shown.paintedMs = clock.nsecsElapsed() / 1e6;
            TakePageTiming(control, asked, shown);
        }
    }
    shown.busiestMs = probe.LongestBusyMs();
    return shown;
}

double Median(std::vector<Shown> shows, double Shown::*figure)
{
    std::sort(shows.begin(), shows.end(), [figure](const Shown& a, const Shown& b) { return a.*figure < b.*figure; });
    return shows[shows.size() / 2].*figure;
}

double Worst(const std::vector<Shown>& shows, double Shown::*figure)
{
    double worst = 0;
    for (const Shown& shown : shows)
        worst = std::max(worst, shown.*figure);
    return worst;
}

// A bare engine of the control's settings in a process of its own, shown on the same display,
// the page given as a file.
class BareEngine {
public:
    BareEngine(const QString& pageFile, const WebPageSettings& settings)
    {
        QStringList arguments{pageFile, settings.standardFamily, settings.sansSerifFamily, settings.serifFamily,
                              settings.fixedFamily};
        for (const auto& [face, family] : settings.namedFaces)
            arguments << face + "=" + family;
        FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        FClock.start();
        FProcess.start(QStringLiteral(QEX_BARE_PAGE), arguments);
    }
    ~BareEngine()
    {
        FProcess.closeWriteChannel();
        if (!FProcess.waitForFinished(20000))
            FProcess.kill();
        FProcess.waitForFinished();
    }

    // From the process's start (or the last ReloadMs) to the page's second animation frame; -1
    // when it did not come within 20 s.
    double ShownMs()
    {
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            while (FProcess.canReadLine())
                if (FProcess.readLine().trimmed() == "shown")
                    return FClock.nsecsElapsed() / 1e6;
            if (!FProcess.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
                break;
        }
        return -1;
    }
    double ReloadMs()
    {
        FClock.restart();
        FProcess.write("again\n");
        FProcess.waitForBytesWritten(20000);
        return ShownMs();
    }

private:
    QProcess FProcess;
    QElapsedTimer FClock;
};

// The page as the bare engine takes it: a file of its bytes, in a folder removed with it.
class PageFile {
public:
    explicit PageFile(const TStringList& page) : FPath(FFolder.filePath(QStringLiteral("taulukko.html")))
    {
        QFile out(FPath);
        const AnsiString text = page.Text();
        FWritten = out.open(QIODevice::WriteOnly) &&
                   out.write(text.data(), static_cast<qint64>(text.size())) == qint64(text.size());
    }
    bool Written() const { return FWritten; }
    const QString& Path() const { return FPath; }

private:
    QTemporaryDir FFolder;
    QString FPath;
    bool FWritten = false;
};

in_turn::Took TookOf(double ms)
{
    return {ms, 0};
}

// Out of sight for the engine's idle time, as when the user left the table: the control frees
// the engine; then its helper process is waited for and the memory settles.
void LeaveTable(ShownControl& control)
{
    const qint64 renderer = control.View() ? control.View()->HelperPid() : 0;
    control.host.SetEngineIdleTime(200);
    control.host.Widget()->hide();
    QDeadlineTimer deadline(20000);
    while (control.host.HasDocument() && !deadline.hasExpired())
        RunFor(50);
    while (renderer > 0 && ::kill(static_cast<pid_t>(renderer), 0) == 0 && !deadline.hasExpired())
        RunFor(50);
    RunFor(1000);
}

// The shared test set-up draws offscreen unless told otherwise, and it runs at the first Qt use,
// which may be another benchmark's.
const bool kOnDisplayWhenThereIsOne = [] {
    if (getenv("DISPLAY"))
        setenv("QEX_TEST_PLATFORM", "xcb", 0);
    return true;
}();

void BM_ShowWideTablePage(benchmark::State& state)
{
    EnsureQt();
    bench_store::SampleStore(static_cast<int>(state.range(0)), 1);
    const TableView view = BuildTableView(bench_store::ChannelNames(static_cast<int>(state.range(0))), true, kShownDate, {});
    const PageFile pageFile(view.page);
    if (!pageFile.Written()) {
        state.SkipWithError("the page could not be written for the bare engine");
        return;
    }
    const Memory before = MemoryOfProgram();
    // A control of its own for each size, freed before the program ends (Qt's state goes first).
    auto control = std::make_unique<ShownControl>();
    const WebPageSettings settings = control->host.PageSettings();
    // The bare engine started beside the first cold show stays for the reloads beside the
    // kept-alive shows.
    std::unique_ptr<BareEngine> floor;
    std::vector<Shown> colds;
    in_turn::Pairs coldPairs, warmPairs;
    const auto coldShow = [&] {
        colds.push_back(ShowOnce(*control, view.page));
        return TookOf(colds.back().paintedMs);
    };
    const auto coldFloor = [&] {
        floor = std::make_unique<BareEngine>(pageFile.Path(), settings);
        return TookOf(floor->ShownMs());
    };
    if (!coldPairs.RunPair(coldShow, coldFloor)) {
        state.SkipWithError("the page was not shown within 20 s");
        return;
    }
    double loaded = 0, inPage = 0, busiest = 0;
    for (auto _ : state) {
        Shown shown;
        const bool paired = warmPairs.RunPair(
            [&] {
                shown = ShowOnce(*control, view.page);
                return TookOf(shown.paintedMs);
            },
            [&] { return TookOf(floor->ReloadMs()); });
        if (!paired) {
            state.SkipWithError("the page was not shown within 20 s");
            break;
        }
        state.SetIterationTime(shown.paintedMs / 1000);
        loaded += shown.loadedMs;
        inPage += shown.inPageMs;
        busiest = std::max(busiest, shown.busiestMs);
    }
    // The bare engine is one of this process's children: it goes before the memory is taken.
    floor.reset();
    if (state.error_occurred())
        return;
    const Memory during = MemoryOfProgram();
    LeaveTable(*control);
    const Memory after = MemoryOfProgram();
    // One cold show says little on a machine whose process starts vary by a tenth of a second:
    // a few more, each in a new helper and beside a new bare engine, give the medians and the worst.
    while (coldPairs.Count() < kColdShows) {
        const bool paired = coldPairs.RunPair(
            [&] {
                const in_turn::Took took = coldShow();
                LeaveTable(*control);
                return took;
            },
            [&] {
                const in_turn::Took took = coldFloor();
                floor.reset();
                return took;
            });
        if (!paired) {
            state.SkipWithError("the page was not shown within 20 s");
            return;
        }
    }
    control.reset();
    coldPairs.Report(state, "cold_");
    warmPairs.Report(state, "warm_");
    state.counters["cold_worst_second_frame_ms"] = Worst(colds, &Shown::paintedMs);
    state.counters["cold_page_started_ms"] = Median(colds, &Shown::pageStartedMs);
    state.counters["cold_in_page_ms"] = Median(colds, &Shown::inPageMs);
    state.counters["cold_longest_busy_ms"] = Worst(colds, &Shown::busiestMs);
    state.counters["loaded_ms"] = benchmark::Counter(loaded, benchmark::Counter::kAvgIterations);
    state.counters["in_page_ms"] = benchmark::Counter(inPage, benchmark::Counter::kAvgIterations);
    state.counters["longest_busy_ms"] = busiest;
    state.counters["page_kB"] = view.page.Text().size() / 1024.0;
    state.counters["rss_before_MiB"] = before.residentMiB;
    state.counters["rss_during_MiB"] = during.residentMiB;
    state.counters["rss_after_MiB"] = after.residentMiB;
    state.counters["anon_before_MiB"] = before.anonymousMiB;
    state.counters["anon_during_MiB"] = during.anonymousMiB;
    state.counters["anon_after_MiB"] = after.anonymousMiB;
    state.counters["pss_before_MiB"] = before.proportionalMiB;
    state.counters["pss_during_MiB"] = during.proportionalMiB;
    state.counters["pss_after_MiB"] = after.proportionalMiB;
    state.counters["processes_during"] = during.processes;
    state.counters["processes_after"] = after.processes;
    state.SetLabel("second animation frame, " + QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_BuildWideTablePage)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowWideTablePage)
    ->Apply(bench_store::ForEachChannelCount)
    ->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

} // namespace
