// The file dialog's folder browser comes from the desktop's toolkit, which speaks English: its
// labels, tool tips, menus, messages and columns are put into Finnish here, in the words the
// dialog's own edit and buttons use.
#pragma once

class QFileDialog;

// Gives the toolkit's file dialogs their Finnish texts; call before the first one is made.
void InstallFileDialogTexts();
// The detail view's size, type and date columns as a Finnish desktop shows them.
void UseFinnishColumns(QFileDialog& browser);
