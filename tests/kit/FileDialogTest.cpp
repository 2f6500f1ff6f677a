// The file dialog is the program's own window around the toolkit's folder browser: every text
// the user meets in it is Finnish.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include "forms/FormsFixture.h"
#include "kit/FileDialog.h"
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
        // The folder is read in the background.
        for (int i = 0; i < 200 && RowTexts(view, "ohjelma.txt").isEmpty(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

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
