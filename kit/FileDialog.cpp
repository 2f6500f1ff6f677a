#include "kit/FileDialog.h"
#include <QFileDialog>
#include <QWidget>
#include <memory>
#include "kit/CommandTokens.h"
#include "kit/FileDialogTexts.h"
#include "platform/core/Files.h"
#include "platform/forms/Button.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"
#include "platform/forms/QtText.h"

namespace {

// "Text (*.txt)|*.txt" pairs as Qt name filters: "Text (*.txt)"; a description that does not
// end with its patterns gets them appended, since Qt reads the patterns from the parentheses.
QStringList NameFilters(const AnsiString& filter)
{
    QStringList result;
    std::vector<AnsiString> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start));
        if (bar == AnsiString::npos)
            break;
        start = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        AnsiString patterns = parts[i + 1];
        for (char& c : patterns)
            if (c == ';')
                c = ' ';
        AnsiString description = parts[i];
        AnsiString tail = "(" + patterns + ")";
        AnsiString trimmed = description;
        while (!trimmed.empty() && trimmed.back() == ' ')
            trimmed.pop_back();
        if (trimmed.size() < tail.size() || trimmed.compare(trimmed.size() - tail.size(), tail.size(), tail) != 0)
            description = trimmed + " " + tail;
        result << ToQString(description);
    }
    return result;
}

// The desktop toolkit's folder browser, without its own name field and buttons: the form's
// edit and buttons stand in their place.
class FolderBrowser : public QFileDialog {
public:
    std::function<void(const QString&)> OnChosen;
    std::function<void()> OnCancel;

    FolderBrowser()
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setWindowFlags(Qt::Widget);
        UseFinnishColumns(*this);
        for (const char* name : {"fileNameEdit", "fileNameLabel", "buttonBox"})
            if (QWidget* part = findChild<QWidget*>(name))
                part->hide();
    }
    void accept() override
    {
        QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && OnChosen)
            OnChosen(chosen.first());
    }
    void reject() override
    {
        if (OnCancel)
            OnCancel();
    }
};

class TFolderBrowser : public TWinControl {
public:
    explicit TFolderBrowser(TComponent* owner) : TWinControl(owner), FBrowser(new FolderBrowser())
    {
        SetWidget(FBrowser);
    }
    FolderBrowser* Browser() const { return FBrowser; }

private:
    FolderBrowser* FBrowser;
};

class TFileDialogForm : public TForm {
public:
    explicit TFileDialogForm(TOpenDialog& dialog) : TForm(nullptr), FDialog(dialog)
    {
        SetBorderStyle(bsSizeable);
        SetPosition(poScreenCenter);
        SetBounds(0, 0, 600, 420);
        SetCaption(!dialog.Title.empty() ? dialog.Title : dialog.SaveDialog() ? "Tallenna nimellä"_a : AnsiString("Avaa"));

        auto* bottom = new TPanel(this);
        bottom->SetParent(this);
        bottom->SetBevelOuter(bvNone);
        bottom->SetHeight(40);
        bottom->SetAlign(alBottom);
        auto* label = new TLabel(this);
        label->SetParent(bottom);
        label->SetCaption("Tiedoston &nimi:");
        label->SetBounds(8, 12, label->Width(), label->Height());
        Name = new TEdit(this);
        Name->SetParent(bottom);
        Name->SetBounds(110, 8, 300, 21);
        label->SetFocusControl(Name);
        auto* ok = new TButton(this);
        ok->SetParent(bottom);
        ok->SetCaption(dialog.SaveDialog() ? "&Tallenna" : "&Avaa");
        ok->SetDefault(true);
        ok->SetBounds(420, 7, 80, 25);
        ok->OnClick = [this](TObject*) { Choose(Name->Text()); };
        auto* cancel = new TButton(this);
        cancel->SetParent(bottom);
        cancel->SetCaption("Peruuta");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetBounds(508, 7, 80, 25);

        InstallFileDialogTexts();
        Folders = new TFolderBrowser(this);
        Folders->SetParent(this);
        Folders->SetAlign(alClient);
        FolderBrowser* browser = Folders->Browser();
        browser->setAcceptMode(dialog.SaveDialog() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        browser->setFileMode(dialog.Options.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
        QStringList filters = NameFilters(dialog.Filter);
        if (!filters.isEmpty()) {
            browser->setNameFilters(filters);
            int index = dialog.FilterIndex - 1;
            browser->selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
        }
        browser->setDirectory(ToQString(StartFolder()));
        Name->SetText(ExtractFileName(dialog.FileName));
        browser->OnChosen = [this](const QString& path) { Choose(FromQString(path)); };
        browser->OnCancel = [this] { SetModalResult(mrCancel); };
        QObject::connect(browser, &QFileDialog::currentChanged, [this](const QString& path) {
            AnsiString chosen = FromQString(path);
            if (FileExists(chosen))
                Name->SetText(ExtractFileName(chosen));
        });
    }

private:
    AnsiString StartFolder() const
    {
        AnsiString ofName = ExtractFilePath(FDialog.FileName);
        if (!ofName.empty() && DirectoryExists(ofName))
            return ofName;
        if (!FDialog.InitialDir.empty() && DirectoryExists(FDialog.InitialDir))
            return FDialog.InitialDir;
        return FromQString(QDir::currentPath());
    }

    AnsiString Folder() const
    {
        return IncludeTrailingPathDelimiter(FromQString(Folders->Browser()->directory().absolutePath()));
    }

    AnsiString FullPath(const AnsiString& name) const
    {
        AnsiString path = !name.empty() && name[0] == '/' ? name : Folder() + name;
        if (!FDialog.DefaultExt.empty() && ExtractFileExt(path).empty() && (FDialog.SaveDialog() || !FileExists(path)))
            path += "." + FDialog.DefaultExt;
        return path;
    }

    // The names in the edit: one, or with multiple selection several in double quotes.
    std::vector<AnsiString> NamesIn(const AnsiString& text) const
    {
        std::vector<AnsiString> names;
        if (!FDialog.Options.Contains(ofAllowMultiSelect) || text.find('"') == AnsiString::npos) {
            if (!text.empty())
                names.push_back(text);
            return names;
        }
        for (int i = 0;; ++i) {
            AnsiString token = GetCommandToken(text, i);
            if (token.empty())
                return names;
            names.push_back(token);
        }
    }

    bool Refused(const AnsiString& path) const
    {
        if (FDialog.Options.Contains(ofPathMustExist) && !DirectoryExists(ExtractFilePath(path))) {
            MessageDlg(path + "\r\nPolkua ei löydy. Tarkista polku."_a, mtWarning, {mbOK});
            return true;
        }
        if (FDialog.Options.Contains(ofFileMustExist) && !FileExists(path)) {
            MessageDlg(path + "\r\nTiedostoa ei löydy. Tarkista tiedoston nimi."_a, mtWarning, {mbOK});
            return true;
        }
        if (FDialog.SaveDialog() && FDialog.Options.Contains(ofOverwritePrompt) && FileExists(path))
            return MessageDlg(path + " on jo olemassa.\r\nHaluatko korvata sen?", mtWarning, {mbYes, mbNo}) != mrYes;
        return false;
    }

    void Choose(const AnsiString& text)
    {
        std::vector<AnsiString> names = NamesIn(text);
        if (names.empty())
            return;
        AnsiString first = names.front()[0] == '/' ? names.front() : Folder() + names.front();
        if (names.size() == 1 && DirectoryExists(first)) {
            Folders->Browser()->setDirectory(ToQString(first));
            Name->SetText("");
            return;
        }
        std::vector<AnsiString> paths;
        for (const AnsiString& name : names) {
            AnsiString path = FullPath(name);
            if (Refused(path))
                return;
            paths.push_back(path);
        }
        FDialog.Files.Clear();
        for (const AnsiString& path : paths)
            FDialog.Files.Add(path);
        FDialog.FileName = paths.front();
        QStringList filters = Folders->Browser()->nameFilters();
        int index = static_cast<int>(filters.indexOf(Folders->Browser()->selectedNameFilter()));
        if (index >= 0)
            FDialog.FilterIndex = index + 1;
        SetModalResult(mrOk);
    }

    TOpenDialog& FDialog;
    TEdit* Name;
    TFolderBrowser* Folders;
};

} // namespace

bool TOpenDialog::Execute()
{
    TFileDialogForm form(*this);
    return form.ShowModal() == mrOk;
}

void TOpenDialog::AssignSettings(const TOpenDialog& other)
{
    DefaultExt = other.DefaultExt;
    FileName = other.FileName;
    Filter = other.Filter;
    FilterIndex = other.FilterIndex;
    InitialDir = other.InitialDir;
    Title = other.Title;
    Options = other.Options;
    FileEditStyle = other.FileEditStyle;
    HistoryList.Assign(other.HistoryList);
    Files.Assign(other.Files);
    HelpContext = other.HelpContext;
}
