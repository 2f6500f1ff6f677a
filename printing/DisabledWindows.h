// The other windows of the program, disabled while a print run shows its progress, as a modal
// window disables them: the run lets the message loop turn between pages, and nothing but the
// progress dialog (and windows that open meanwhile, such as alarm notices) may act then.
#pragma once
#include <QPointer>
#include <QWidget>
#include <vector>

class DisabledWindows {
public:
    explicit DisabledWindows(QWidget* keep);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    std::vector<QPointer<QWidget>> FWindows;
};
