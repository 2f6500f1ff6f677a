// Searching the stored listings of two weeks for a word, for each channel count, each figure in
// turn with its floor, pair by pair (see InTurn.h): the search's core as the command reads the
// files (file list, records, pairs, matches) beside reading, folding and scanning the same files'
// bytes once; and the whole command as the user runs it in the main window (the box answered,
// the results listed as they are found with the messages run at each, coloured, the first one
// shown) beside that core.
#include "app/Main.h"
#include "bench/InTurn.h"
#include "bench/ProgramForBench.h"
#include "bench/SampleSettings.h"
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Streams.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"
#include <QCoreApplication>

namespace {

constexpr const char* kWord = "uutiset";

// The least work that finds the same places: each file read once, its bytes folded as the search
// folds them and scanned for the word.
std::int64_t ReadFoldScan(const TStringList& files, const std::string& word)
{
    std::int64_t found = 0;
    std::string bytes;
    for (int i = 0; i < files.Count(); ++i) {
        bytes = ReadWholeFile(files[i]);
        for (char& c : bytes)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        for (std::size_t at = bytes.find(word); at != std::string::npos; at = bytes.find(word, at + 1))
            ++found;
    }
    return found;
}

// What the command does with the files, without the window: the programmes found.
std::size_t SearchCore(const AnsiString& folded)
{
    std::vector<SearchHit> hits;
    TStringList list;
    SearchedFiles("", list);
    for (int i = 0; i < list.Count(); ++i) {
        TMemoryStream file;
        LoadRecordBytes(list[i], file);
        ListingRecordReader records(file);
        while (records.Next() == ListingRecordReader::Step::Record)
            SearchDayText(records.Key(), records.Text(), folded, hits);
    }
    return hits.size();
}

void BM_SearchEveryFile(benchmark::State& state)
{
    bench_store::SampleStore(static_cast<int>(state.range(0)), 2);
    TStringList files;
    SearchedFiles("", files);
    const std::string word = FoldAsciiLetters(kWord);
    const AnsiString folded = FoldAsciiLetters(kWord);
    std::size_t hits = 0;
    std::int64_t places = 0;
    in_turn::MeasureInTurn(
        state, [&] { return in_turn::TimeInProcess([&] { return (hits = SearchCore(folded)) > 0; }); },
        [&] { return in_turn::TimeInProcess([&] { return (places = ReadFoldScan(files, word)) > 0; }); },
        "the word was not found");
    state.SetItemsProcessed(state.iterations() * files.Count());
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["places"] = static_cast<double>(places);
}

// The search command of the main window, as F3 runs it; the window is made for each channel count
// in a folder of its own with the usual settings (colourings on).
void BM_SearchCommand(benchmark::State& state)
{
    EnsureProgramInitialized();
    bench_settings::UseProgramFolder(static_cast<int>(state.range(0)), false);
    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0));
    SetModalHandler([](ModalBox& box) {
        box.SetEditText(0, kWord);
        box.Press("OK");
    });
    TApplication app;
    app.CreateForm(MainForm);
    MainForm->Show();
    QCoreApplication::processEvents();
    const AnsiString folded = FoldAsciiLetters(kWord);
    std::size_t hits = 0;
    in_turn::MeasureInTurn(
        state,
        [] {
            return in_turn::TimeInProcess([] {
                MainForm->MM_EtsiohjelmiatallennetuistatiedoistaClick(MainForm->MM_Etsiohjelmiatallennetuistatiedoista);
                return MainForm->Ohjelmat->Count() > 0;
            });
        },
        [&] { return in_turn::TimeInProcess([&] { return (hits = SearchCore(folded)) > 0; }); },
        "the search found nothing");
    if (static_cast<std::size_t>(MainForm->Ohjelmat->Count()) != hits)
        state.SkipWithError("the command listed other programmes than its core found");
    delete MainForm;
    QCoreApplication::processEvents();
    SetModalHandler(nullptr);
    state.counters["hits"] = static_cast<double>(hits);
}

BENCHMARK(BM_SearchEveryFile)->Apply(bench_store::ForEachChannelCount)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchCommand)
    ->Apply(bench_store::ForEachChannelCount)
    ->Iterations(9)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
