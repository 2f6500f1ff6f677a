#include "platform/services/WebPageProxy.h"
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr qsizetype kReadBlock = 64 * 1024;
// What one turn of the event loop reads: the rest waits for the next turn, so a helper that
// streams fast neither grows the buffer past a frame nor keeps the program from other work.
constexpr int kBlocksPerTurn = 16;
// The helper is asked this often whether it is alive, and counts as hung when it leaves the
// question unanswered for a few seconds; the first answer may take the engine's start (seconds
// on a busy machine) longer.
constexpr int kAliveCheckMs = 1000;
constexpr int kAnswerLimitMs = 5000;
constexpr int kFirstAnswerLimitMs = 30000;

// Making our widget a window of its own made its ancestors and their siblings windows too, each
// put on top as it was made: they are stacked again as the widgets are, so the view raised over
// the others stays over them.
void RestackAsWidgets(QWidget* widget)
{
    for (QWidget* level = widget; level && !level->isWindow(); level = level->parentWidget()) {
        const QObjectList siblings = level->parentWidget()->children();
        for (QObject* sibling : siblings)
            if (auto* siblingWidget = qobject_cast<QWidget*>(sibling); siblingWidget && !siblingWidget->isWindow())
                siblingWidget->raise();
    }
}

} // namespace

// The focus moves on from the page as from any control of the window.
class WebPageProxy::PageContainer : public QWidget {
public:
    using QWidget::QWidget;
    void MoveFocusOn(bool next) { focusNextPrevChild(next); }
};

WebPageProxy::WebPageProxy(QWidget* parent, WebPageEvents events, WebPageHelper helper)
    : QObject(parent), FContainer(new PageContainer(parent)), FEvents(std::move(events)), FHelper(helper),
      FAnswerLimitMs(kAnswerLimitMs)
{
    FContainer->setAttribute(Qt::WA_NativeWindow);
    FContainer->setFocusPolicy(Qt::StrongFocus);
    FContainer->installEventFilter(this);
    ::fcntl(FHelper.channel, F_SETFL, ::fcntl(FHelper.channel, F_GETFL) | O_NONBLOCK);
    FReadable = new QSocketNotifier(FHelper.channel, QSocketNotifier::Read, this);
    connect(FReadable, &QSocketNotifier::activated, this, [this] { Receive(); });
    FWritable = new QSocketNotifier(FHelper.channel, QSocketNotifier::Write, this);
    FWritable->setEnabled(false);
    connect(FWritable, &QSocketNotifier::activated, this, [this] { Flush(); });
    FAliveTimer = new QTimer(this);
    connect(FAliveTimer, &QTimer::timeout, this, [this] { CheckAlive(); });
    FAliveTimer->start(kAliveCheckMs);
    SendGeometry();
    CheckAlive();
    // A view made while a modal box runs starts without input.
    if (!FContainer->isEnabled())
        Send(MessageOf(WebPageKind::Input, {false}));
}

WebPageProxy::~WebPageProxy()
{
    *FAlive = false;
    FEnded = true; // nothing more is sent or told while the container goes
    FReadable->setEnabled(false);
    FWritable->setEnabled(false);
    EndWebPageHelper(FHelper);
    delete FContainer; // unless the parent's end took it first
}

void WebPageProxy::Load(const QByteArray& html)
{
    Send(MessageOf(WebPageKind::Load, {}, {}, {html}));
}

void WebPageProxy::ScrollToAnchor(const QString& name)
{
    Send(MessageOf(WebPageKind::ScrollToAnchor, {}, {name}));
}

void WebPageProxy::SetScrollBarsShown(bool shown)
{
    Send(MessageOf(WebPageKind::ScrollBars, {shown}));
}

void WebPageProxy::Apply(const WebPageSettings& settings)
{
    QStringList texts{settings.standardFamily, settings.sansSerifFamily, settings.serifFamily, settings.fixedFamily};
    for (const auto& [face, family] : settings.namedFaces)
        texts << face << family;
    Send(MessageOf(WebPageKind::Apply, {settings.scripts, settings.images, settings.videos, settings.sounds}, texts));
}

void WebPageProxy::Probe(const QString& name, const QJsonArray& arguments, std::function<void(const QJsonValue&)> done)
{
    if (FEnded) {
        done(QJsonValue());
        return;
    }
    WebPageMessage message =
        MessageOf(WebPageKind::Probe, {}, {name}, {QJsonDocument(arguments).toJson(QJsonDocument::Compact)});
    message.id = ++FLastId;
    FWaiting[message.id] = [done = std::move(done)](const WebPageMessage& answer) {
        done(QJsonDocument::fromJson(answer.Blob(0)).array().at(0));
    };
    Send(std::move(message));
}

void WebPageProxy::Send(WebPageMessage message)
{
    if (FEnded)
        return;
    FOutgoing += EncodeWebPageMessage(message);
    Flush();
}

void WebPageProxy::Flush()
{
    while (!FOutgoing.isEmpty() && !FEnded) {
        const ssize_t sent = ::send(FHelper.channel, FOutgoing.constData(), static_cast<size_t>(FOutgoing.size()),
                                    MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            FOutgoing.remove(0, sent);
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            FWritable->setEnabled(true);
            return;
        } else if (sent < 0 && errno != EINTR) {
            End(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
    }
    FWritable->setEnabled(false);
}

void WebPageProxy::Receive()
{
    const std::shared_ptr<bool> alive = FAlive;
    char block[kReadBlock];
    for (int blocks = 0; blocks < kBlocksPerTurn && !FReader.Broken(); ++blocks) {
        const ssize_t got = ::read(FHelper.channel, block, sizeof block);
        if (got > 0) {
            FReader.Append(block, got);
            continue;
        }
        if (got == 0) {
            End(QStringLiteral("its process ended"));
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            End(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        break;
    }
    // A message may run a modal box, whose loop reads on; this call then finds nothing left.
    while (std::optional<WebPageMessage> message = FReader.Next()) {
        FAnswered = true; // its engine has started
        Dispatch(*message);
        if (!*alive || FEnded)
            return;
    }
    if (FReader.Broken())
        End(QStringLiteral("it sent a message that can't be read"));
}

void WebPageProxy::Dispatch(const WebPageMessage& message)
{
    switch (message.kind) {
    case WebPageKind::LoadFinished:
        FEvents.LoadFinished(message.Number(0) != 0);
        break;
    case WebPageKind::LinkActivated:
        // The click crossed the program's modal box on its way: under the box it does nothing.
        if (FContainer && FContainer->isEnabled())
            FEvents.LinkActivated(message.Text(0));
        break;
    case WebPageKind::SelectionChanged:
        FEvents.SelectionChanged();
        break;
    case WebPageKind::CloseRequested:
        FEvents.CloseRequested();
        break;
    case WebPageKind::MousePressed:
        // Keys stay with the program: the page's window only tells of the press. A press that
        // crossed the program's modal box on its way activates nothing under it.
        if (!FContainer || !FContainer->isEnabled())
            break;
        FContainer->setFocus(Qt::MouseFocusReason);
        FContainer->window()->activateWindow();
        break;
    case WebPageKind::DragMoved:
        DragMoved(message);
        break;
    case WebPageKind::FocusLeft:
        // Unless the user has put the focus elsewhere meanwhile.
        if (FContainer && FContainer->hasFocus())
            static_cast<PageContainer*>(FContainer.data())->MoveFocusOn(message.Number(0) != 0);
        break;
    case WebPageKind::Request:
        Request(message);
        break;
    case WebPageKind::Answer:
        Answer(message);
        break;
    default:
        End(QStringLiteral("it sent a message meant for itself"));
        break;
    }
}

void WebPageProxy::Answer(const WebPageMessage& message)
{
    const auto waiting = FWaiting.find(message.id);
    if (waiting == FWaiting.end())
        return; // the answer to a question nobody waits for any more
    const auto done = std::move(waiting->second);
    FWaiting.erase(waiting);
    done(message);
}

void WebPageProxy::Request(const WebPageMessage& message)
{
    const std::shared_ptr<bool> alive = FAlive;
    WebPageMessage reply = Answered(message);
    if (!*alive)
        return;
    reply.kind = WebPageKind::Reply;
    reply.id = message.id;
    Send(std::move(reply));
}

WebPageMessage WebPageProxy::Answered(const WebPageMessage& request)
{
    switch (static_cast<WebPageRequest>(request.Number(0))) {
    case WebPageRequest::Alert:
        FEvents.Alert(request.Text(0));
        return MessageOf(WebPageKind::Reply);
    case WebPageRequest::Confirm:
        return MessageOf(WebPageKind::Reply, {FEvents.Confirm(request.Text(0))});
    case WebPageRequest::Prompt: {
        QString answer;
        const bool given = FEvents.Prompt(request.Text(0), request.Text(1), answer);
        return MessageOf(WebPageKind::Reply, {given}, {answer});
    }
    case WebPageRequest::ScriptError:
        return MessageOf(WebPageKind::Reply, {FEvents.ScriptError(request.Text(0), request.Number(1),
                                                                  request.Number(2), request.Text(1))});
    case WebPageRequest::ContextMenu: {
        const QPoint at(request.Number(2), request.Number(3));
        const bool handled = FEvents.ContextMenuRequested(request.Number(1) != 0, at);
        // The helper still holds the pointer from the press: the menu comes after the reply.
        if (!handled)
            QTimer::singleShot(0, this, [this, at] { ShowMenu(at); });
        return MessageOf(WebPageKind::Reply, {handled});
    }
    case WebPageRequest::DragEntered:
        return DragEntered(request);
    }
    return MessageOf(WebPageKind::Reply);
}

// The helper's drag, as the control sees it: its own target gets the drag here, or the engine
// takes it with the data the control put in place of what was dragged.
WebPageMessage WebPageProxy::DragEntered(const WebPageMessage& request)
{
    FDragData = std::make_unique<QMimeData>();
    for (qsizetype i = 0; i < request.texts.size(); ++i)
        FDragData->setData(request.texts[i], request.Blob(i));
    FDragTarget = nullptr;
    const QPoint at(request.Number(1), request.Number(2));
    const auto actions = Qt::DropActions::fromInt(request.Number(3));
    const WebDragAnswer answer = FEvents.DragEntered(FDragData.get(), at, actions);
    if (answer.target) {
        FDragTarget = answer.target;
        QDragEnterEvent enter(at, actions, FDragData.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(answer.target, &enter);
        return MessageOf(WebPageKind::Reply, {static_cast<qint32>(WebDragReply::Redirected)});
    }
    if (!answer.data)
        return MessageOf(WebPageKind::Reply, {static_cast<qint32>(WebDragReply::Engine)});
    WebPageMessage reply = MessageOf(WebPageKind::Reply, {static_cast<qint32>(WebDragReply::Replaced)});
    for (const QString& format : answer.data->formats()) {
        reply.texts << format;
        reply.blobs << answer.data->data(format);
    }
    return reply;
}

void WebPageProxy::DragMoved(const WebPageMessage& message)
{
    if (!FDragTarget)
        return;
    const QPoint at(message.Number(1), message.Number(2));
    const auto actions = Qt::DropActions::fromInt(message.Number(3));
    switch (static_cast<QEvent::Type>(message.Number(0))) {
    case QEvent::DragMove: {
        QDragMoveEvent move(at, actions, FDragData.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(FDragTarget, &move);
        break;
    }
    case QEvent::Drop: {
        QDropEvent drop(QPointF(at), actions, FDragData.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(FDragTarget, &drop);
        FDragTarget = nullptr;
        break;
    }
    case QEvent::DragLeave: {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(FDragTarget, &leave);
        FDragTarget = nullptr;
        break;
    }
    default:
        break;
    }
}

// The engine's own menu offers to open a link in a window or tab, to save it, to view the
// source: each would pass by the link check. The control's menu keeps what stays in the page.
void WebPageProxy::ShowMenu(QPoint at)
{
    if (FEnded || !FContainer)
        return;
    auto* menu = new QMenu(FContainer);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("&Kopioi"), this, [this] { Send(MessageOf(WebPageKind::PageAction, {0})); });
    menu->addAction(QStringLiteral("Valitse &kaikki"), this, [this] { Send(MessageOf(WebPageKind::PageAction, {1})); });
    menu->popup(FContainer->mapToGlobal(at));
}

void WebPageProxy::ForwardKey(const QKeyEvent& event)
{
    Send(MessageOf(WebPageKind::Key,
                 {static_cast<qint32>(event.type()), event.key(), static_cast<qint32>(event.modifiers().toInt()),
                  static_cast<qint32>(event.nativeScanCode()), static_cast<qint32>(event.nativeVirtualKey()),
                  static_cast<qint32>(event.nativeModifiers()), event.isAutoRepeat()},
                 {event.text()}));
}

// The helper's window goes inside ours where windows can be put into another program's; elsewhere
// (the offscreen platform of the tests) it is only given our size.
void WebPageProxy::SendGeometry()
{
    quint64 window = 0;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const bool wasNative = FContainer->internalWinId() != 0;
        window = FContainer->winId();
        if (!wasNative)
            RestackAsWidgets(FContainer);
    }
    Send(MessageOf(WebPageKind::Embed, {static_cast<qint32>(window >> 32), static_cast<qint32>(window & 0xFFFFFFFFu),
                                      FContainer->width(), FContainer->height()}));
}

bool WebPageProxy::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FContainer)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!FEvents.KeyPressed(*static_cast<QKeyEvent*>(event)))
            ForwardKey(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::KeyRelease:
        ForwardKey(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            event->type() == QEvent::FocusIn && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            Send(MessageOf(WebPageKind::FocusEntered, {reason == Qt::TabFocusReason}));
        FEvents.FocusChanged(event->type() == QEvent::FocusIn);
        break;
    case QEvent::Resize:
        Send(MessageOf(WebPageKind::Resize, {FContainer->width(), FContainer->height()}));
        break;
    case QEvent::WinIdChange:
        SendGeometry();
        break;
    case QEvent::EnabledChange:
        Send(MessageOf(WebPageKind::Input, {FContainer->isEnabled()}));
        break;
    default:
        break;
    }
    return false;
}

// Asked in turn with the reading, so that an answer that came while the program itself was busy
// counts. A frame that never comes whole holds back the answers behind it: the same hang.
void WebPageProxy::CheckAlive()
{
    const std::shared_ptr<bool> alive = FAlive;
    Receive();
    if (!*alive || FEnded)
        return;
    // A check that comes late found the program itself busy: the helper may have waited for it
    // to read, and gets its time again.
    if (FSinceCheck.isValid() && FSinceCheck.hasExpired(2 * kAliveCheckMs))
        FAliveAsked.start();
    FSinceCheck.start();
    if (FAliveId != 0) {
        const int limit = FAnswered ? FAnswerLimitMs : std::max(FAnswerLimitMs, kFirstAnswerLimitMs);
        if (FAliveAsked.hasExpired(limit)) {
            // Stopped, it would not end when its channel closes.
            if (FHelper.pid > 0)
                ::kill(FHelper.pid, SIGKILL);
            End(QStringLiteral("it stopped answering"));
        }
        return;
    }
    WebPageMessage question = MessageOf(WebPageKind::Alive);
    question.id = FAliveId = ++FLastId;
    FAliveAsked.start();
    FWaiting[question.id] = [this](const WebPageMessage& answer) {
        if (answer.kind != WebPageKind::Answer)
            return; // the view ended
        FAliveId = 0;
        FAnswered = true;
    };
    Send(std::move(question));
}

void WebPageProxy::End(const QString& reason)
{
    if (FEnded)
        return;
    FEnded = true;
    FReadable->setEnabled(false);
    FWritable->setEnabled(false);
    FAliveTimer->stop();
    auto waiting = std::move(FWaiting);
    FWaiting.clear();
    for (auto& [id, done] : waiting)
        done(WebPageMessage());
    if (FEvents.Ended)
        FEvents.Ended(reason);
}
