// The download command (F7): the monthly request, the version file with its offers of a new
// version and of an announcement, the request for the listing files that are missing, and the
// package unpacked into the data folder; the progress of the package in the status bar.
#include "app/AlarmRoutines.h"
#include "app/ListingPackage.h"
#include "app/Main.h"
#include "app/WeekDates.h"
#include "listings/DownloadProgress.h"
#include "listings/DownloadRequest.h"
#include "listings/ListingStore.h"
#include "listings/Settings.h"
#include "listings/VersionFile.h"
#include "net/HttpClient.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/StatusBar.h"
#include "platform/messages/Application.h"
#include "platform/services/ShellExecute.h"
#include "unpack/Gzip.h"
#include "unpack/UnTar.h"
#include <exception>
#include <memory>

namespace {

// The message loop runs inside every request, so F7 can come again while one is on its way.
bool DownloadRunning = false;

class DownloadRun {
public:
    DownloadRun() { DownloadRunning = true; }
    ~DownloadRun() { DownloadRunning = false; }
    DownloadRun(const DownloadRun&) = delete;
    DownloadRun& operator=(const DownloadRun&) = delete;
};

AnsiString MonthlyReplyPath()
{
    return DataFolder() + "versio2.tmp";
}

AnsiString VersionReplyPath()
{
    return DataFolder() + "versio.tmp";
}

void ShowStatus(const AnsiString& text)
{
    MainForm->StatusPanel->Panels()->Items(0)->SetText(text);
}

// The reply goes into a new file; the file is closed and the client lets go of its streams on
// every way out of the request, and a request that raised takes what it wrote with it.
class ReplyFile {
public:
    ReplyFile(THttpClient& http, const AnsiString& path) : FHttp(http), FPath(path)
    {
        // Removing first means a link left in the data folder is replaced, never written through.
        DeleteFile(path);
        FStream = std::make_unique<TFileStream>(path, fmCreate);
        FHttp.RcvdStream = FStream.get();
    }
    ~ReplyFile()
    {
        FHttp.RcvdStream = nullptr;
        FHttp.SendStream = nullptr;
        FStream.reset();
        if (std::uncaught_exceptions() > FRaisedBefore)
            DeleteFile(FPath);
    }
    ReplyFile(const ReplyFile&) = delete;
    ReplyFile& operator=(const ReplyFile&) = delete;

private:
    THttpClient& FHttp;
    AnsiString FPath;
    std::unique_ptr<TFileStream> FStream;
    int FRaisedBefore = std::uncaught_exceptions();
};

void Fetch(THttpClient& http, const char* path, const AnsiString& replyPath)
{
    http.URL = AnsiString(DataServerAddress) + path;
    ReplyFile reply(http, replyPath);
    http.Get();
}

// Once a month the server hears from the program; the month is noted first, so a failed request
// is not repeated until the next month.
void MonthlyRequest(THttpClient& http)
{
    const AnsiString month = FormatDateTime("m", Now());
    if (IniReadString("Haku", "GUpdate", "") == month)
        return;
    IniWriteValue("Haku", "GUpdate", month, 'S');
    Fetch(http, MonthlyRequestPath, MonthlyReplyPath());
}

void OpenAddress(const AnsiString& address)
{
    if (IsWebAddress(address))
        ShellExecute(0, "Open", address, "", "", SW_SHOWMAXIMIZED, TShellSource::Network);
}

// False when the user chose to go to the new version's page: the download ends there.
bool OfferNewVersionAndNews(THttpClient& http)
{
    Fetch(http, VersionFilePath, VersionReplyPath());
    if (!FileExists(VersionReplyPath()))
        return true;
    TStringList lines;
    lines.LoadFromFile(VersionReplyPath());
    if (lines.Count() >= 1 && VersionLineNumber(lines[0]) > ProgramVersionNumber
        && MessageDlg("Uusi versio saatavilla.\r\nHaluatko avata selaimen ohjelman sivuille?", mtConfirmation,
                      {mbYes, mbNo}) == mrYes) {
        OpenAddress(VersionLineAddress(lines[0]));
        return false;
    }
    if (lines.Count() >= 2 && VersionLineNumber(lines[1]) > IniReadInteger("Haku", "News", 100)
        && MessageDlg("Ohjelman sivuilla on ilmoitus.\r\nHaluatko avata selaimen ja lukea sen?", mtConfirmation,
                      {mbYes, mbNo}) == mrYes) {
        OpenAddress(VersionLineAddress(lines[1]));
        IniWriteValue("Haku", "News", Copy(lines[1], 1, 3), 'S');
    }
    DeleteFile(VersionReplyPath());
    return true;
}

void RequestPackage(TMainForm& form, const std::vector<AnsiString>& wanted)
{
    form.Downloading = true;
    THttpClient& http = *form.Http;
    http.URL = AnsiString(DataServerAddress) + ListingRequestPath;
    ShowStatus("Otetaan yhteyttä palvelimeen..."_a);
    RemovePackageFiles();
    ReplyFile reply(http, PackagePath());
    TStringStream body(ListingRequestBody(wanted));
    body.SetPosition(0);
    http.SendStream = &body;
    http.Post();
}

// Whatever failed, the next F7 starts afresh: no half-received or half-unpacked file stays and
// no progress of the failed download writes over the message that says so.
void EndFailedDownload(TMainForm& form)
{
    DeleteFile(VersionReplyPath());
    RemovePackageFiles();
    form.Downloading = false;
    ShowStatus("Tietojen haku epäonnistui."_a);
}

// True when the package was unpacked into the data folder. Failures have been shown by then.
bool FetchAndUnpack(TMainForm& form)
{
    try {
        MonthlyRequest(*form.Http);
        if (!OfferNewVersionAndNews(*form.Http))
            return false;
        // Judged at this moment, by the TV day's week and the next, whenever the program started.
        const TDateTime monday = TvWeekMonday(Now());
        const std::vector<AnsiString> wanted =
            MissingListingFiles(*form.V_Kanavat->Items(), monday, IncDay(monday, 7));
        if (wanted.empty()) {
            ShowStatus("Haku ohitettu (tietoja ei puuttunut).");
            return false;
        }
        RequestPackage(form, wanted);
        if (UnpackListingPackage(*form.TVZ1, *form.TVZ2))
            return true;
        // The decompressor has shown its own box.
        EndFailedDownload(form);
        return false;
    } catch (...) {
        EndFailedDownload(form);
        Application->HandleException(std::current_exception());
        return false;
    }
}

} // namespace

void TMainForm::CreateDownloadCommand()
{
    MM_AloitaHaku->OnClick = [this](TObject* sender) { MM_AloitaHakuClick(sender); };
    Http->OnDocData = [this](TObject* sender, const void* buffer, int length) { HttpDocData(sender, buffer, length); };
    Http->MaxBodySize = DownloadMaxSize;
    // The decompressor's boxes are the program's error box with its one button.
    GzipErrorBox = [](const TGzipErrorBox& box) { MessageDlg(box.Text, mtError, {mbAbort}); };
}

void TMainForm::MM_AloitaHakuClick(TObject*)
{
    if (DownloadRunning)
        return;
    DownloadRun run;
    // The refresh at the end shows a day of the weeks that were fetched.
    FollowTvDay();
    ShowStatus("Tarkistetaan versiota...");
    if (!FetchAndUnpack(*this))
        return;
    ShowStatus("Tiedot haettu.");
    Downloading = false;
    ViikonPaivaChange(this);
    AutoAddAlarms();
}

void TMainForm::HttpDocData(TObject*, const void*, int)
{
    if (Downloading)
        ShowStatus(DownloadProgressText(Http->RcvdCount(), Http->ContentLength()));
}
