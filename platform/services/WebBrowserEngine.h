// The browser engine behind TWebBrowser. The engine is large (its libraries, processes and caches
// hold some 300 MiB with a table shown), and once started it can't be ended inside a process, so
// it runs in a helper process of its own, started for a view and ended with it: a program that
// waits in the tray gets the memory back.
#pragma once
#include <QByteArray>
#include <QPoint>
#include <qnamespace.h>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QKeyEvent;
class QMimeData;
class QObject;
class QWidget;

// What the control does with something dragged onto the page: it goes to `target` instead of
// the engine, or the engine takes it, with `data` in place of what was dragged when set.
struct WebDragAnswer {
    QObject* target = nullptr;
    const QMimeData* data = nullptr;
};

// What the engine's page tells the control.
struct WebPageEvents {
    // A link was activated (click, middle click, Enter); href is its target as the page wrote it.
    // The engine itself never follows a link.
    std::function<void(const QString& href)> LinkActivated;
    std::function<void(bool ok)> LoadFinished;
    // True when the control took the key; the engine then never sees it.
    std::function<bool(QKeyEvent& event)> KeyPressed;
    // True when the control handled the request and no menu may show.
    std::function<bool(bool onLink, QPoint at)> ContextMenuRequested;
    std::function<void(bool focused)> FocusChanged;
    // Tab went past the page's last link (next) or Shift+Tab past its first: the focus goes on to
    // the window's next or previous control.
    std::function<void(bool next)> FocusLeft;
    std::function<void()> SelectionChanged;
    // A page script's alert, confirm and prompt; the answers go back to the script.
    std::function<void(const QString& text)> Alert;
    std::function<bool(const QString& text)> Confirm;
    std::function<bool(const QString& text, const QString& defaultValue, QString& answer)> Prompt;
    // An error in a page script (its column counted from 1, 0 when unknown); false stops the
    // page's scripts.
    std::function<bool(const QString& message, int line, int column, const QString& url)> ScriptError;
    // A page script asked to close its window.
    std::function<void()> CloseRequested;
    // Something is dragged onto the page (asked once per drag, as it enters at `at`).
    std::function<WebDragAnswer(const QMimeData* data, QPoint at, Qt::DropActions actions)> DragEntered;
    // The engine is gone (its process ended, it said what can't be read or it stopped
    // answering); the view shows nothing more and is to be freed.
    std::function<void(const QString& reason)> Ended;
};

// How the engine treats the pages: what they may run and load, and the families it draws
// the generic and named faces with.
struct WebPageSettings {
    bool scripts = false;
    bool images = true;
    bool videos = true;       // media may start without a click
    bool sounds = true;       // the page is heard
    QString standardFamily, sansSerifFamily, serifFamily, fixedFamily;
    // Faces the pages name, each with the installed family that draws it.
    std::vector<std::pair<QString, QString>> namedFaces;
};

// One page in one view. Every call returns at once; loading and rendering run elsewhere.
// Deleting the view ends the engine's processes.
class WebPageView {
public:
    virtual ~WebPageView() = default;
    virtual QWidget* Widget() = 0;
    // Shows html (Windows-1252 bytes) as the document; LoadFinished follows.
    virtual void Load(const QByteArray& html) = 0;
    virtual void ScrollToAnchor(const QString& name) = 0;
    virtual void SetScrollBarsShown(bool shown) = 0;
    // Takes effect at once for what is shown, scripts from the next document on.
    virtual void Apply(const WebPageSettings& settings) = 0;
};

// A new view inside parent, or null when the engine can't be started (the reason is logged once).
std::unique_ptr<WebPageView> CreateWebPageView(QWidget* parent, WebPageEvents events);
