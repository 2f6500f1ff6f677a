// The "Taulukko (laaja)" page of 26 channels loaded into the browser host and laid out, against
// building the page and against reading the 26 listing files of the week raw.
#include "SampleStore.h"
#include "listings/ListingStore.h"
#include "listings/NakymaTaulukko.h"
#include "platform/core/Strings.h"
#include "shell/BrowserHost.h"
#include "support/TestEnvironment.h"
#include <QApplication>
#include <QTextBrowser>
#include <benchmark/benchmark.h>

namespace {

constexpr const char* kShownDate = "11.2.2026";

void EnsureQt()
{
    static int argc = 1;
    static char name[] = "bench_browser_page";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        PrepareTestEnvironment();
        return new QApplication(argc, argv);
    }();
    (void)app;
}

TStringList AllChannels()
{
    TStringList channels;
    for (const auto& channel : ChannelTable)
        channels.Add(channel.name);
    return channels;
}

void BM_ReadTheWeekFilesRaw(benchmark::State& state)
{
    bench_store::SampleStore(1);
    for (auto _ : state)
        for (const auto& channel : ChannelTable)
            benchmark::DoNotOptimize(ReadWholeFile(ListingFilePath(channel.code, "07")).size());
    state.SetItemsProcessed(state.iterations() * 26);
}

void BM_BuildWideTablePage(benchmark::State& state)
{
    bench_store::SampleStore(1);
    const TStringList channels = AllChannels();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTableView(channels, true, kShownDate, {}).page.Count());
}

void BM_LoadWideTablePageIntoTheBrowser(benchmark::State& state)
{
    EnsureQt();
    bench_store::SampleStore(1);
    const TableView view = BuildTableView(AllChannels(), true, kShownDate, {});
    TBrowserHost host(nullptr);
    auto* browser = qobject_cast<QTextBrowser*>(host.Widget());
    browser->resize(1000, 700);
    browser->show();
    for (auto _ : state) {
        if (host.LoadHtmlFromStrings(view.page) != S_OK)
            state.SkipWithError("the page did not load");
        // Laid out as the window shows it.
        benchmark::DoNotOptimize(browser->document()->size().height());
    }
    state.counters["lines"] = view.page.Count();
}

BENCHMARK(BM_ReadTheWeekFilesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildWideTablePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWideTablePageIntoTheBrowser)->Unit(benchmark::kMillisecond);

} // namespace
