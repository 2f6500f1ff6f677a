// The helper process's side of the channel: it runs the engine's view for the control in the
// program, does what the program's messages ask, and tells it the page's events. A question the
// page waits on (a box, a menu, a drag) is asked and its answer waited for here, so the page
// gets it as the in-process engine would; a program that doesn't answer within a minute has
// said no. The helper ends when the program closes the channel or sends what can't be read.
#pragma once
#include "platform/services/WebBrowserEngine.h"
#include "platform/services/WebPageChannel.h"
#include <QJsonArray>
#include <QJsonValue>
#include <QObject>
#include <deque>
#include <memory>

class QMimeData;
class QWebEngineView;
class QWindow;

class WebPageHelperLink : public QObject {
public:
    explicit WebPageHelperLink(int channel);
    ~WebPageHelperLink() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WebPageEvents Events();
    void Receive();
    void Drain();
    void Dispatch(const WebPageMessage& message);
    bool DispatchAtOnce(const WebPageMessage& message);
    void Send(const WebPageMessage& message);
    WebPageMessage Ask(WebPageRequest request, QList<qint32> numbers, QStringList texts = {}, QList<QByteArray> blobs = {});
    bool ReadSome(int timeoutMs);
    void Answer(quint32 id, const QJsonValue& value);
    void Embed(const WebPageMessage& message);
    void Apply(const WebPageMessage& message);
    void Key(const WebPageMessage& message);
    void EnterFocus(bool forward);
    void Probe(const WebPageMessage& message);
    WebDragAnswer DragEntered(const QMimeData* data, QPoint at, Qt::DropActions actions);
    QWidget* InputWidget() const;

    int FChannel;
    WebPageMessageReader FReader;
    std::deque<WebPageMessage> FPending;
    std::unique_ptr<WebPageView> FView;
    QWebEngineView* FEngine = nullptr;
    std::unique_ptr<QWindow> FHost;
    std::unique_ptr<QObject> FDragForwarder;
    std::unique_ptr<QMimeData> FReplacedData;
    quint32 FLastId = 0;
    int FLoads = 0;
    bool FInputTaken = true; // false while the program's window is disabled
};
