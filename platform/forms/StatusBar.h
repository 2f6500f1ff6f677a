// TStatusBar: a bar along the bottom with text panels; each panel has a width, except the
// last, which reaches the right edge.
#pragma once
#include "platform/forms/Control.h"
#include "platform/forms/WinControl.h"
#include <memory>
#include <vector>

class TStatusBar;

class TStatusPanel {
public:
    const AnsiString& Text() const { return FText; }
    void SetText(const AnsiString& text);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    int Index() const { return FIndex; }

private:
    friend class TStatusPanels;
    TStatusPanel(TStatusBar* bar, int index) : FBar(bar), FIndex(index) {}
    TStatusBar* FBar;
    int FIndex;
    AnsiString FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TStatusPanels {
public:
    int Count() const { return static_cast<int>(FPanels.size()); }
    TStatusPanel* Items(int index) const { return FPanels.at(index).get(); }
    TStatusPanel* operator[](int index) const { return Items(index); }
    TStatusPanel* Add();
    void Clear();

private:
    friend class TStatusBar;
    explicit TStatusPanels(TStatusBar* bar) : FBar(bar) {}
    TStatusBar* FBar;
    std::vector<std::unique_ptr<TStatusPanel>> FPanels;
};

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);

    TStatusPanels* Panels() { return &FPanels; }
    // With SimplePanel on, one text fills the bar instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool simple);
    const AnsiString& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const AnsiString& text);

protected:
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    void Paint();
    TStatusPanels FPanels{this};
    bool FSimplePanel = false;
    AnsiString FSimpleText;
};
