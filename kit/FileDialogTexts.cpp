#include "kit/FileDialogTexts.h"
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QTranslator>
#include <cstring>
#include <span>
#include "platform/core/AnsiString.h"
#include "platform/forms/QtText.h"

namespace {

struct Text {
    const char* context;
    const char* english;
    AnsiString finnish;
};

// The toolkit's own words for its file dialog, with their Finnish counterparts. An array, not a
// vector: clang 14 crashes on a vector's initializer list that mixes plain and "..."_a texts.
std::span<const Text> Texts()
{
    static const Text texts[] = {
        {"QFileDialog", "Look in:", "Kohde:"},
        {"QFileDialog", "Files of type:", "Tiedostotyyppi:"},
        {"QFileDialog", "File &name:", "Tiedoston &nimi:"},
        {"QFileDialog", "Directory:", "Kansio:"},
        {"QFileDialog", "Back", "Edellinen"},
        {"QFileDialog", "Go back", "Siirry edelliseen"},
        {"QFileDialog", "Forward", "Seuraava"},
        {"QFileDialog", "Go forward", "Siirry seuraavaan"},
        {"QFileDialog", "Parent Directory", "Ylempi kansio"},
        {"QFileDialog", "Go to the parent directory", "Siirry ylemmälle tasolle"_a},
        {"QFileDialog", "Create New Folder", "Luo uusi kansio"},
        {"QFileDialog", "Create a New Folder", "Luo uusi kansio"},
        {"QFileDialog", "List View", "Luettelo"},
        {"QFileDialog", "Change to list view mode", "Näytä luettelona"_a},
        {"QFileDialog", "Detail View", "Tiedot"},
        {"QFileDialog", "Change to detail view mode", "Näytä tiedot"_a},
        {"QFileDialog", "Sidebar", "Paikat"},
        {"QFileDialog", "List of places and bookmarks", "Paikat ja kirjanmerkit"},
        {"QFileDialog", "Files", "Tiedostot"},
        {"QFileDialog", "Open", "Avaa"},
        {"QFileDialog", "&Open", "&Avaa"},
        {"QFileDialog", "Save As", "Tallenna nimellä"_a},
        {"QFileDialog", "&Save", "&Tallenna"},
        {"QFileDialog", "&Choose", "&Valitse"},
        {"QFileDialog", "Find Directory", "Etsi kansio"},
        {"QFileDialog", "Directories", "Kansiot"},
        {"QFileDialog", "All Files (*)", "Kaikki tiedostot (*)"},
        {"QFileDialog", "All Files (*.*)", "Kaikki tiedostot (*.*)"},
        {"QFileDialog", "Show ", "Näytä "_a},
        {"QFileDialog", "&Rename", "&Nimeä uudelleen"_a},
        {"QFileDialog", "&Delete", "&Poista"},
        {"QFileDialog", "Show &hidden files", "Näytä &piilotetut tiedostot"_a},
        {"QFileDialog", "&New Folder", "&Uusi kansio"},
        {"QFileDialog", "New Folder", "Uusi kansio"},
        {"QFileDialog", "Recent Places", "Viimeksi käytetyt"_a},
        {"QFileDialog", "Delete", "Poista"},
        {"QFileDialog", "Are you sure you want to delete '%1'?", "Haluatko varmasti poistaa kohteen '%1'?"},
        {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
         "'%1' on kirjoitussuojattu.\nHaluatko poistaa sen silti?"},
        {"QFileDialog", "Could not delete directory.", "Kansiota ei voitu poistaa."},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 on jo olemassa.\nHaluatko korvata sen?"},
        {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
         "%1\nTiedostoa ei löydy. Tarkista tiedoston nimi."_a},
        {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
         "%1\nPolkua ei löydy. Tarkista polku."_a},
        {"QFileSystemModel", "Computer", "Tietokone"},
        {"QFileSystemModel", "My Computer", "Tietokone"},
        {"QFileSystemModel", "Name", "Nimi"},
        {"QFileSystemModel", "Size", "Koko"},
        {"QFileSystemModel", "Type", "Tyyppi"},
        {"QFileSystemModel", "Kind", "Tyyppi"},
        {"QFileSystemModel", "Date Modified", "Muokattu"},
        {"QFileSystemModel", "Invalid filename", "Virheellinen tiedostonimi"},
        {"QFileSystemModel",
         "<b>The name \"%1\" cannot be used.</b><p>Try using another name, with fewer characters or no punctuation marks.",
         "<b>Nimeä \"%1\" ei voi käyttää.</b><p>Kokeile toista nimeä, jossa on vähemmän merkkejä tai ei välimerkkejä."_a},
        {"QAbstractFileIconProvider", "Drive", "Asema"},
        {"QAbstractFileIconProvider", "Folder", "Kansio"},
        {"QAbstractFileIconProvider", "File Folder", "Kansio"},
        {"QAbstractFileIconProvider", "%1 File", "%1-tiedosto"},
        {"QAbstractFileIconProvider", "File", "Tiedosto"},
        {"QPlatformTheme", "&Yes", "&Kyllä"_a},
        {"QPlatformTheme", "&No", "&Ei"},
        {"QPlatformTheme", "Cancel", "Peruuta"},
    };
    return texts;
}

class FinnishTexts : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        for (const Text& text : Texts())
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.english) == 0)
                return ToQString(text.finnish);
        return QString();
    }
};

class FinnishColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() < 1 || index.column() > 3)
            return QIdentityProxyModel::data(index, role);
        QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case 1: return info.isDir() ? QString() : SizeText(info.size());
        case 2: return TypeText(info);
        default: return info.lastModified().toString("d.M.yyyy H:mm");
        }
    }

private:
    // In whole kilobytes, rounded up.
    static QString SizeText(qint64 bytes) { return QString::number((bytes + 1023) / 1024) + ToQString(" kt"); }
    static QString TypeText(const QFileInfo& info)
    {
        if (info.isDir())
            return ToQString("Kansio");
        QString suffix = info.suffix().toUpper();
        return suffix.isEmpty() ? ToQString("Tiedosto") : suffix + ToQString("-tiedosto");
    }
};

} // namespace

void InstallFileDialogTexts()
{
    static FinnishTexts* texts = nullptr;
    if (texts || !qApp)
        return;
    texts = new FinnishTexts();
    texts->setParent(qApp);
    QCoreApplication::installTranslator(texts);
}

void UseFinnishColumns(QFileDialog& browser)
{
    browser.setProxyModel(new FinnishColumns(&browser));
}
