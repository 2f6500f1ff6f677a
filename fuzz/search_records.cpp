// The search's reading of one listing file: any bytes give at most seven records, each no longer
// than the limit and no longer than the file, or stop at a reported length; every record's day is
// examined without reading past its lines, and a key that forms no date raises only the
// conversion error.
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include <cstddef>
#include <cstdint>
#include <vector>
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream file;
    file.WriteBuffer(data, static_cast<std::int64_t>(size));
    file.SetPosition(0);
    ListingRecordReader records(file);
    const AnsiString folded = FoldAsciiLetters("uutiset");
    std::vector<SearchHit> hits;
    int count = 0;
    for (;;) {
        const ListingRecordReader::Step step = records.Next();
        if (step == ListingRecordReader::Step::End)
            break;
        if (step == ListingRecordReader::Step::BadLength) {
            Check(records.Length() < 0 || records.Length() > ListingRecordReader::LongestText);
            Check(records.Next() == ListingRecordReader::Step::End);
            break;
        }
        ++count;
        Check(count <= ListingRecordReader::RecordsPerFile);
        Check(records.Text().size() == static_cast<std::size_t>(records.Length()));
        Check(records.Text().size() <= size);
        try {
            SearchDayText(records.Key(), records.Text(), folded, hits);
        } catch (const EConvertError&) {
        }
    }
    for (const SearchHit& hit : hits)
        Check(hit.row.find(") <w2:") != AnsiString::npos);
    return 0;
}
