// The program's other windows, disabled while one window holds the input: a modal window, or a
// print run's progress dialog, which lets the message loop turn between pages. Every shown
// top-level window but the kept one is disabled; windows that open meanwhile (alarm notices)
// stay usable. The kept window stays over the window it blocks (the active one, else the main
// form), so the window manager never raises that window above it. What was disabled is enabled
// again by Restore or at the end of the scope.
#pragma once
#include <QPointer>
#include <QWidget>
#include <vector>

class DisabledWindows {
public:
    explicit DisabledWindows(QWidget* keep);
    ~DisabledWindows() { Restore(); }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

    void Restore();

private:
    QWidget* BlockedOwner() const;

    std::vector<QPointer<QWidget>> FWindows;
    QPointer<QWidget> FKept;
};
