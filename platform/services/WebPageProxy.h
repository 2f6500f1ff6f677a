// The program's side of a view whose engine runs in a helper process: a native widget the
// helper's window is put into, and the messages that carry the calls one way and the page's
// events the other. The program never waits for the helper: answers come through the event
// loop, and a helper that dies, sends what can't be read or stops answering ends the view
// (Ended). While the widget is disabled (a modal box of the program runs) the page takes no input.
#pragma once
#include "platform/services/WebBrowserEngine.h"
#include "platform/services/WebPageChannel.h"
#include "platform/services/WebPageHelperProcess.h"
#include <QJsonArray>
#include <QJsonValue>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>

class QMimeData;
class QSocketNotifier;
class QTimer;

class WebPageProxy : public QObject, public WebPageView {
public:
    WebPageProxy(QWidget* parent, WebPageEvents events, WebPageHelper helper);
    ~WebPageProxy() override;

    QWidget* Widget() override { return FContainer.data(); }
    void Load(const QByteArray& html) override;
    void ScrollToAnchor(const QString& name) override;
    void SetScrollBarsShown(bool shown) override;
    void Apply(const WebPageSettings& settings) override;

    // What tests ask of the engine itself ("script", "title", "setting", "muted", "renderer",
    // "mouse", "drag", "loads", "pid"); the answer is a JSON value, null when the helper ended
    // first. Only the tests' own helper answers; the shipped one answers null (WebPageProbes.h).
    void Probe(const QString& name, const QJsonArray& arguments, std::function<void(const QJsonValue&)> done);
    pid_t HelperPid() const { return FHelper.pid; }
    // How long the helper may leave the program's question whether it is alive unanswered once
    // it has answered one; the first answer may take the engine's start longer.
    void SetAnswerTimeLimit(int milliseconds) { FAnswerLimitMs = milliseconds; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class PageContainer;
    void Send(WebPageMessage message);
    void Flush();
    void Receive();
    void Dispatch(const WebPageMessage& message);
    void Answer(const WebPageMessage& message);
    void Request(const WebPageMessage& message);
    WebPageMessage Answered(const WebPageMessage& request);
    WebPageMessage DragEntered(const WebPageMessage& request);
    void DragMoved(const WebPageMessage& message);
    void ShowMenu(QPoint at);
    void ForwardKey(const QKeyEvent& event);
    void SendGeometry();
    void CheckAlive();
    void End(const QString& reason);

    // A sibling: the parent widget deletes it first when it goes, and this after it.
    QPointer<QWidget> FContainer;
    WebPageEvents FEvents;
    WebPageHelper FHelper;
    QSocketNotifier* FReadable = nullptr;
    QSocketNotifier* FWritable = nullptr;
    QTimer* FAliveTimer = nullptr;
    QElapsedTimer FAliveAsked;
    QElapsedTimer FSinceCheck;
    quint32 FAliveId = 0; // the question not yet answered, if any
    bool FAnswered = false; // the helper has said something: its engine runs
    int FAnswerLimitMs;
    WebPageMessageReader FReader;
    QByteArray FOutgoing;
    quint32 FLastId = 0;
    std::map<quint32, std::function<void(const WebPageMessage&)>> FWaiting;
    QPointer<QObject> FDragTarget;
    std::unique_ptr<QMimeData> FDragData;
    bool FEnded = false;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
