// The file dialog is the program's own window around the toolkit's folder browser: every text
// the user meets in it is Finnish.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include "forms/FormsFixture.h"
#include "kit/FileDialog.h"
#include "kit/FileDialogTexts.h"
#include "platform/forms/QtText.h"

namespace {

QString HeaderText(QTreeView* view, int section)
{
    return view->model()->headerData(section, Qt::Horizontal).toString();
}

QStringList RowTexts(QTreeView* view, const QString& name)
{
    QAbstractItemModel* model = view->model();
    QModelIndex root = view->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row)
        if (model->index(row, 0, root).data().toString() == name) {
            QStringList texts;
            for (int column = 1; column < 4; ++column)
                texts << model->index(row, column, root).data().toString();
            return texts;
        }
    return {};
}

} // namespace

TEST_F(FormsTest, TheFileDialogSpeaksFinnishOnly)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir("Kuvat");
    QFile file(folder.path() + "/ohjelma.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1500, 'x'));
    file.close();

    TOpenDialog dialog(nullptr);
    dialog.InitialDir = FromQString(folder.path());
    dialog.Filter = "Tekstit (*.txt)|*.txt|Kaikki tiedostot|*.*";
    Answers.push_back([&](ModalBox& box) {
        auto* browser = box.Form()->Widget()->findChild<QFileDialog*>();
        ASSERT_NE(browser, nullptr);
        browser->setViewMode(QFileDialog::Detail);
        auto* view = browser->findChild<QTreeView*>("treeView");
        ASSERT_NE(view, nullptr);
        // The folder is read in the background, which a busy machine may take its time over.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !RowTexts(view, "ohjelma.txt").isEmpty() && !RowTexts(view, "Kuvat").isEmpty(); }, 30000));

        EXPECT_EQ(browser->findChild<QLabel*>("lookInLabel")->text(), "Kohde:");
        EXPECT_EQ(browser->findChild<QLabel*>("fileTypeLabel")->text(), "Tiedostotyyppi:");
        QStringList tips;
        for (const char* name : {"backButton", "forwardButton", "toParentButton", "newFolderButton", "listModeButton",
                                 "detailModeButton"})
            tips << browser->findChild<QToolButton*>(name)->toolTip();
        EXPECT_EQ(tips, QStringList({"Edellinen", "Seuraava", "Ylempi kansio", "Luo uusi kansio", "Luettelo", "Tiedot"}));
        QStringList actions;
        for (const char* name : {"qt_rename_action", "qt_delete_action", "qt_show_hidden_action", "qt_new_folder_action"})
            actions << browser->findChild<QAction*>(name)->text();
        EXPECT_EQ(actions, QStringList({"&Nimeä uudelleen", "&Poista", "Näytä &piilotetut tiedostot", "&Uusi kansio"}));
        EXPECT_EQ(QStringList({HeaderText(view, 0), HeaderText(view, 1), HeaderText(view, 2), HeaderText(view, 3)}),
                  QStringList({"Nimi", "Koko", "Tyyppi", "Muokattu"}));
        QString today = QDateTime::currentDateTime().toString("d.M.yyyy");
        QStringList text = RowTexts(view, "ohjelma.txt");
        ASSERT_EQ(text.size(), 3);
        EXPECT_EQ(text[0], "2 kt");
        EXPECT_EQ(text[1], "TXT-tiedosto");
        EXPECT_TRUE(text[2].startsWith(today + " ")) << text[2].toStdString();
        QStringList folderRow = RowTexts(view, "Kuvat");
        ASSERT_EQ(folderRow.size(), 3);
        EXPECT_EQ(folderRow[0], "");
        EXPECT_EQ(folderRow[1], "Kansio");
        box.Close(mrCancel);
    });
    EXPECT_FALSE(dialog.Execute());
}

TEST_F(FormsTest, TheFileDialogTextsKeepEveryByteFromFirstToLast)
{
    InstallFileDialogTexts();
    auto finnish = [](const char* context, const char* english) { return QCoreApplication::translate(context, english); };
    EXPECT_EQ(finnish("QFileDialog", "Look in:"), "Kohde:");
    EXPECT_EQ(finnish("QFileDialog", "Go to the parent directory"), "Siirry ylemmälle tasolle");
    EXPECT_EQ(finnish("QFileDialog", "Show "), "Näytä ");
    EXPECT_EQ(finnish("QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given."),
              "%1\nPolkua ei löydy. Tarkista polku.");
    EXPECT_EQ(finnish("QFileSystemModel",
                      "<b>The name \"%1\" cannot be used.</b><p>Try using another name, with fewer characters or no "
                      "punctuation marks."),
              "<b>Nimeä \"%1\" ei voi käyttää.</b><p>Kokeile toista nimeä, jossa on vähemmän merkkejä tai ei "
              "välimerkkejä.");
    EXPECT_EQ(finnish("QPlatformTheme", "&Yes"), "&Kyllä");
    EXPECT_EQ(finnish("QPlatformTheme", "Cancel"), "Peruuta");
    // A text of another context, or none of the table's, stays as the toolkit wrote it.
    EXPECT_EQ(finnish("QPlatformTheme", "Look in:"), "Look in:");
    EXPECT_EQ(finnish("QFileDialog", "Look in"), "Look in");
}
