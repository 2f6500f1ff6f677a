// What the forms list box and the kit's list box do alike with the Qt list under them: the
// item's Windows-1252 text and object, and the selection as the class library's list box keeps
// it. Neither raises an event; callers block signals where they need to.
#pragma once
#include "platform/core/Strings.h"

class QEvent;
class QPainter;
class QRect;
class QListWidget;
class QListWidgetItem;

// The item's text as it was given, and the text it shows.
AnsiString ListItemText(const QListWidgetItem* item);
void SetListItemText(QListWidgetItem* item, const AnsiString& s);
TObject* ListItemObject(const QListWidgetItem* item);
void SetListItemObject(QListWidgetItem* item, TObject* object);

// Single selection: the selected row or -1. Multiple selection: the focused row.
int ListItemIndex(const QListWidget* list, bool multiSelect);
// Single selection: selects the row, or nothing for an index outside the list. Multiple
// selection: moves the focus without changing the selection; an index outside does nothing.
void SetListItemIndex(QListWidget* list, int index, bool multiSelect);
// Single selection: selecting sets the selected row, deselecting the selected row leaves none
// (another row's deselection changes nothing). Multiple selection: the row alone changes. The
// index must lie in the list.
void SetListItemSelected(QListWidget* list, int index, bool selected, bool multiSelect);
// The first row shown; 0 for an empty list.
int ListTopIndex(const QListWidget* list);
// The dotted frame just inside a focused row, in the colour that shows on the row's background.
void DrawListFocusFrame(QPainter* painter, const QRect& row, bool selected);
// Hands a key press on to the list; true when it moved the focus or changed the selection (and
// the list still exists).
bool HandOnListKey(QListWidget* list, QEvent* event);
