#include "platform/services/WebPageHelperLink.h"
#include "platform/services/WebEngineView.h"
#include "platform/services/WebPageProbes.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QDropEvent>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>
#include <xcb/xcb.h>
#include <cerrno>
#include <cstdlib>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// How long the page waits for the program's answer before it counts as no.
constexpr int kAnswerWaitMs = 60000;
constexpr size_t kReadBlock = 64 * 1024;

// The program is gone or broke the channel: nothing is left to show the page to.
[[noreturn]] void Leave(int status)
{
    ::_exit(status);
}

// Takes the rest of a drag the program redirected to its own target there.
class DragForwarder : public QObject {
public:
    explicit DragForwarder(std::function<void(const WebPageMessage&)> send) : FSend(std::move(send)) {}
    bool event(QEvent* event) override
    {
        QPoint at;
        Qt::DropActions actions;
        // Accepted as it enters, the drag stays here: the toolkit sends the rest where the enter
        // was accepted.
        if (event->type() == QEvent::DragEnter) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::DragMove || event->type() == QEvent::Drop) {
            at = static_cast<QDropEvent*>(event)->position().toPoint();
            actions = static_cast<QDropEvent*>(event)->possibleActions();
        } else if (event->type() != QEvent::DragLeave) {
            return QObject::event(event);
        }
        FSend(MessageOf(WebPageKind::DragMoved, {static_cast<qint32>(event->type()), at.x(), at.y(),
                                               static_cast<qint32>(actions.toInt())}));
        event->accept();
        return true;
    }

private:
    std::function<void(const WebPageMessage&)> FSend;
};

// What the user does to the page: none of it reaches the page while the program's window is
// disabled. A release goes on, so a press that came before is not left holding.
bool IsInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonDblClick: case QEvent::MouseMove:
    case QEvent::Wheel: case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::ShortcutOverride:
    case QEvent::ContextMenu: case QEvent::DragEnter: case QEvent::DragMove: case QEvent::Drop:
    case QEvent::TouchBegin: case QEvent::TouchUpdate: case QEvent::TouchEnd:
    case QEvent::TabletPress: case QEvent::TabletMove: case QEvent::NativeGesture:
        return true;
    default:
        return false;
    }
}

// Keys pressed with the pointer over the page go to the window under the pointer when the focus
// is in one of its ancestors, as it is in the program's window: this window stops asking for
// them, so they go on up to the program's, which keeps them all.
void LeaveKeysToParent(QWidget* widget)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(widget->winId());
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    if (!attributes)
        return;
    const uint32_t mask = attributes->your_event_mask & ~uint32_t(XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
    free(attributes);
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

} // namespace

WebPageHelperLink::WebPageHelperLink(int channel) : FChannel(channel)
{
    auto* readable = new QSocketNotifier(FChannel, QSocketNotifier::Read, this);
    connect(readable, &QSocketNotifier::activated, this, [this] { Receive(); });
    FDragForwarder = std::make_unique<DragForwarder>([this](const WebPageMessage& message) { Send(message); });
    FView = CreateEngineView(nullptr, Events());
    FEngine = EngineWidget(*FView);
    qApp->installEventFilter(this);
}

// A press in the page's window makes the program's window the active one, which keeps the keys.
// While a modal box of the program runs, the page takes nothing, as the rest of its window.
bool WebPageHelperLink::eventFilter(QObject*, QEvent* event)
{
    if (!FInputTaken && IsInput(*event))
        return true;
    if (event->type() == QEvent::MouseButtonPress)
        Send(MessageOf(WebPageKind::MousePressed));
    return false;
}

WebPageHelperLink::~WebPageHelperLink() = default;

WebPageEvents WebPageHelperLink::Events()
{
    WebPageEvents events;
    events.LinkActivated = [this](const QString& href) { Send(MessageOf(WebPageKind::LinkActivated, {}, {href})); };
    events.LoadFinished = [this](bool ok) {
        FLoads += ok;
        Send(MessageOf(WebPageKind::LoadFinished, {ok}));
    };
    events.KeyPressed = [](QKeyEvent&) { return false; }; // the program kept what it takes
    events.ContextMenuRequested = [this](bool onLink, QPoint at) {
        Ask(WebPageRequest::ContextMenu, {onLink, at.x(), at.y()});
        return true; // the program shows its menu, if any
    };
    events.FocusChanged = [](bool) {}; // focus is the program's
    events.FocusLeft = [this](bool next) { Send(MessageOf(WebPageKind::FocusLeft, {next})); };
    events.SelectionChanged = [this] { Send(MessageOf(WebPageKind::SelectionChanged)); };
    events.Alert = [this](const QString& text) { Ask(WebPageRequest::Alert, {}, {text}); };
    events.Confirm = [this](const QString& text) { return Ask(WebPageRequest::Confirm, {}, {text}).Number(0) != 0; };
    events.Prompt = [this](const QString& text, const QString& defaultValue, QString& answer) {
        const WebPageMessage reply = Ask(WebPageRequest::Prompt, {}, {text, defaultValue});
        answer = reply.Text(0);
        return reply.Number(0) != 0;
    };
    events.ScriptError = [this](const QString& message, int line, int column, const QString& url) {
        return Ask(WebPageRequest::ScriptError, {line, column}, {message, url}).Number(0) != 0;
    };
    events.CloseRequested = [this] { Send(MessageOf(WebPageKind::CloseRequested)); };
    events.DragEntered = [this](const QMimeData* data, QPoint at, Qt::DropActions actions) {
        return DragEntered(data, at, actions);
    };
    return events;
}

void WebPageHelperLink::Send(const WebPageMessage& message)
{
    const QByteArray frame = EncodeWebPageMessage(message);
    qsizetype sent = 0;
    while (sent < frame.size()) {
        const ssize_t done = ::send(FChannel, frame.constData() + sent, static_cast<size_t>(frame.size() - sent),
                                    MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            Leave(0);
        sent += done;
    }
}

// Reads what has come, waiting up to timeoutMs for something; false when nothing came.
bool WebPageHelperLink::ReadSome(int timeoutMs)
{
    pollfd ready{FChannel, POLLIN, 0};
    const int polled = ::poll(&ready, 1, timeoutMs);
    if (polled <= 0)
        return false;
    char block[kReadBlock];
    const ssize_t got = ::recv(FChannel, block, sizeof block, MSG_DONTWAIT);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
        Leave(0);
    if (got > 0)
        FReader.Append(block, got);
    if (FReader.Broken())
        Leave(1);
    return got > 0;
}

void WebPageHelperLink::Receive()
{
    if (ReadSome(0))
        Drain();
}

void WebPageHelperLink::Drain()
{
    while (!FPending.empty()) {
        const WebPageMessage message = std::move(FPending.front());
        FPending.pop_front();
        Dispatch(message);
    }
    while (std::optional<WebPageMessage> message = FReader.Next()) {
        Dispatch(*message);
        // A message that asked the program something may have left others waiting.
        while (!FPending.empty()) {
            const WebPageMessage pending = std::move(FPending.front());
            FPending.pop_front();
            Dispatch(pending);
        }
    }
}

// The page waits for the answer here; what else the program sends meanwhile is done afterwards.
WebPageMessage WebPageHelperLink::Ask(WebPageRequest request, QList<qint32> numbers, QStringList texts,
                                      QList<QByteArray> blobs)
{
    WebPageMessage question = MessageOf(WebPageKind::Request, {static_cast<qint32>(request)}, std::move(texts));
    question.numbers += numbers;
    question.blobs = std::move(blobs);
    question.id = ++FLastId;
    Send(question);
    // What came meanwhile, and after the answer, is done once the page has its answer.
    QTimer::singleShot(0, this, [this] { Drain(); });
    QDeadlineTimer deadline(kAnswerWaitMs);
    for (;;) {
        while (std::optional<WebPageMessage> message = FReader.Next()) {
            if (message->kind == WebPageKind::Reply && message->id == question.id)
                return *message;
            // A reply to a question given up on is dropped.
            if (message->kind != WebPageKind::Reply && !DispatchAtOnce(*message))
                FPending.push_back(std::move(*message));
        }
        if (deadline.hasExpired())
            break;
        ReadSome(static_cast<int>(deadline.remainingTime()));
    }
    return MessageOf(WebPageKind::Reply);
}

// What the program may ask while the page waits for an answer, done at once: whether the helper
// is alive, and whether the page takes input (the box the page asked for may be the one that
// disables the program's window). False for anything else.
bool WebPageHelperLink::DispatchAtOnce(const WebPageMessage& message)
{
    switch (message.kind) {
    case WebPageKind::Alive: {
        WebPageMessage answer = MessageOf(WebPageKind::Answer);
        answer.id = message.id;
        Send(answer);
        return true;
    }
    case WebPageKind::Input:
        FInputTaken = message.Number(0) != 0;
        return true;
    default:
        return false;
    }
}

void WebPageHelperLink::Dispatch(const WebPageMessage& message)
{
    if (DispatchAtOnce(message))
        return;
    switch (message.kind) {
    case WebPageKind::Embed:
        Embed(message);
        break;
    case WebPageKind::Resize:
        FEngine->resize(message.Number(0), message.Number(1));
        break;
    case WebPageKind::Load:
        FView->Load(message.Blob(0));
        break;
    case WebPageKind::ScrollToAnchor:
        FView->ScrollToAnchor(message.Text(0));
        break;
    case WebPageKind::ScrollBars:
        FView->SetScrollBarsShown(message.Number(0) != 0);
        break;
    case WebPageKind::Apply:
        Apply(message);
        break;
    case WebPageKind::Key:
        Key(message);
        break;
    case WebPageKind::PageAction:
        FEngine->page()->triggerAction(message.Number(0) == 0 ? QWebEnginePage::Copy : QWebEnginePage::SelectAll);
        break;
    case WebPageKind::FocusEntered:
        EnterFocus(message.Number(0) != 0);
        break;
    case WebPageKind::Probe:
        Probe(message);
        break;
    default:
        Leave(1); // the program never sends the helper's own messages
    }
}

void WebPageHelperLink::Embed(const WebPageMessage& message)
{
    const quint64 window = (static_cast<quint64>(static_cast<quint32>(message.Number(0))) << 32) |
                           static_cast<quint32>(message.Number(1));
    FEngine->resize(message.Number(2), message.Number(3));
    if (window != 0) {
        FEngine->winId();
        auto host = std::unique_ptr<QWindow>(QWindow::fromWinId(static_cast<WId>(window)));
        FEngine->windowHandle()->setParent(host.get());
        FHost = std::move(host);
        FEngine->move(0, 0);
    }
    FEngine->show();
    if (window != 0)
        LeaveKeysToParent(FEngine);
    // The page draws its caret and selection as in an active window; keys come from the program.
    QApplication::setActiveWindow(FEngine);
}

void WebPageHelperLink::Apply(const WebPageMessage& message)
{
    WebPageSettings settings;
    settings.scripts = message.Number(0) != 0;
    settings.images = message.Number(1) != 0;
    settings.videos = message.Number(2) != 0;
    settings.sounds = message.Number(3) != 0;
    settings.standardFamily = message.Text(0);
    settings.sansSerifFamily = message.Text(1);
    settings.serifFamily = message.Text(2);
    settings.fixedFamily = message.Text(3);
    for (qsizetype i = 4; i + 1 < message.texts.size(); i += 2)
        settings.namedFaces.emplace_back(message.texts[i], message.texts[i + 1]);
    FView->Apply(settings);
}

QWidget* WebPageHelperLink::InputWidget() const
{
    return FEngine->focusProxy() ? FEngine->focusProxy() : FEngine;
}

void WebPageHelperLink::Key(const WebPageMessage& message)
{
    QKeyEvent key(static_cast<QEvent::Type>(message.Number(0)), message.Number(1),
                  Qt::KeyboardModifiers::fromInt(message.Number(2)), static_cast<quint32>(message.Number(3)),
                  static_cast<quint32>(message.Number(4)), static_cast<quint32>(message.Number(5)), message.Text(0),
                  message.Number(6) != 0);
    if (key.type() == QEvent::KeyPress || key.type() == QEvent::KeyRelease)
        QApplication::sendEvent(InputWidget(), &key);
}

// Tab brought the focus into the page: the engine gives a view entered by Tab its first link,
// and one entered by Shift+Tab its last.
void WebPageHelperLink::EnterFocus(bool forward)
{
    QWidget* input = InputWidget();
    input->clearFocus();
    input->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void WebPageHelperLink::Answer(quint32 id, const QJsonValue& value)
{
    WebPageMessage answer = MessageOf(WebPageKind::Answer);
    answer.id = id;
    answer.blobs = {QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)};
    Send(answer);
}

void WebPageHelperLink::Probe(const WebPageMessage& message)
{
    const quint32 id = message.id;
    RunWebPageProbe({FEngine, InputWidget(), FLoads}, message.Text(0), QJsonDocument::fromJson(message.Blob(0)).array(),
                    [this, id](const QJsonValue& value) { Answer(id, value); });
}

WebDragAnswer WebPageHelperLink::DragEntered(const QMimeData* data, QPoint at, Qt::DropActions actions)
{
    QStringList formats;
    QList<QByteArray> blobs;
    for (const QString& format : data->formats()) {
        formats << format;
        blobs << data->data(format);
    }
    const WebPageMessage reply =
        Ask(WebPageRequest::DragEntered, {at.x(), at.y(), static_cast<qint32>(actions.toInt())}, formats, blobs);
    WebDragAnswer answer;
    switch (static_cast<WebDragReply>(reply.Number(0))) {
    case WebDragReply::Redirected:
        answer.target = FDragForwarder.get();
        break;
    case WebDragReply::Replaced:
        FReplacedData = std::make_unique<QMimeData>();
        for (qsizetype i = 0; i < reply.texts.size(); ++i)
            FReplacedData->setData(reply.texts[i], reply.Blob(i));
        answer.data = FReplacedData.get();
        break;
    case WebDragReply::Engine:
        break;
    }
    return answer;
}
