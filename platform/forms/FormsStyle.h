// The look every window of the program shares: the toolkit's own style, with the few metrics the
// forms were laid out for where the toolkit's differ (a tab is as wide as its caption and the
// class library's padding, so a strip of page tabs that fitted there fits here), and the default
// form font for every widget that sets none of its own, in pixels, so that no text depends on the
// screen's dots per inch.
#pragma once

class QWidget;

void InstallFormsStyle();
// The text caret of this widget is `width` pixels wide, whatever the style's own.
void SetCaretWidth(QWidget* widget, int width);
