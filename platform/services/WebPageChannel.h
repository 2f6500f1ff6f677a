// The private channel between the browser control and the helper process that runs its engine:
// framed messages over a stream socket. A frame is its length (4 bytes, big-endian), its kind
// (1 byte) and its fields in a QDataStream: a request number, texts, numbers and byte blocks.
// Every message has the same four fields, so a message from the helper (outside input) is read
// without naming a type the stream would have to make.
#pragma once
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>

enum class WebPageKind : quint8 {
    // The program to the helper.
    Embed,          // numbers: parent window (high, low 32 bits), width, height
    Resize,         // numbers: width, height
    Load,           // blobs: the page's Windows-1252 bytes
    ScrollToAnchor, // texts: the anchor's name
    ScrollBars,     // numbers: shown
    Apply,          // texts: families, then named faces and their families; numbers: scripts, images, videos, sounds
    Key,            // numbers: type, key, modifiers, native scan code, native key, native modifiers, repeat; texts: text
    PageAction,     // numbers: 0 copy, 1 select all
    FocusEntered,   // numbers: forward (Tab), else backward (Shift+Tab)
    Probe,          // id, texts: name; blobs: JSON arguments; answered with Answer (blobs: JSON result)
    Reply,          // id of the helper's Request; numbers, texts, blobs: the answer
    Input,          // numbers: taken (the page takes no mouse, wheel or key while the program's window is disabled)
    Alive,          // id; answered with Answer at once, also while the page waits for a Reply
    // The helper to the program.
    LoadFinished,     // numbers: ok
    LinkActivated,    // texts: the target as written
    SelectionChanged, //
    CloseRequested,   //
    MousePressed,     //
    DragMoved,        // numbers: event type, x, y
    FocusLeft,        // numbers: forward (Tab past the last link), else backward
    Request,          // id; numbers[0]: WebPageRequest, then its own; answered with Reply
    Answer,           // id of the program's Probe or Alive
};
constexpr quint8 kWebPageKinds = static_cast<quint8>(WebPageKind::Answer) + 1;

// What the helper asks and waits for, in Request's first number.
enum class WebPageRequest : qint32 {
    Alert,       // texts: text
    Confirm,     // texts: text; reply numbers: ok
    Prompt,      // texts: text, default; reply numbers: given, texts: answer
    ScriptError, // texts: message, url; numbers: line, column; reply numbers: go on
    ContextMenu, // numbers: on a link, x, y; reply numbers: handled
    DragEntered, // numbers: x, y; texts: formats; blobs: their data; reply numbers: WebDragReply
};
enum class WebDragReply : qint32 { Engine, Redirected, Replaced };

struct WebPageMessage {
    WebPageKind kind = WebPageKind::Load;
    quint32 id = 0;
    QList<qint32> numbers;
    QStringList texts;
    QList<QByteArray> blobs;

    qint32 Number(qsizetype i) const { return i < numbers.size() ? numbers[i] : 0; }
    QString Text(qsizetype i) const { return i < texts.size() ? texts[i] : QString(); }
    QByteArray Blob(qsizetype i) const { return i < blobs.size() ? blobs[i] : QByteArray(); }
};

inline WebPageMessage MessageOf(WebPageKind kind, QList<qint32> numbers = {}, QStringList texts = {},
                                QList<QByteArray> blobs = {})
{
    WebPageMessage message;
    message.kind = kind;
    message.numbers = std::move(numbers);
    message.texts = std::move(texts);
    message.blobs = std::move(blobs);
    return message;
}

// The largest frame either side sends or reads: the widest table page is a few megabytes.
constexpr quint32 kLargestWebPageFrame = 64u << 20;

QByteArray EncodeWebPageMessage(const WebPageMessage& message);

// Cuts the byte stream into messages. A frame longer than the largest, of an unknown kind or
// whose fields don't read back exactly breaks the channel: nothing after it is read. Lengths are
// checked as their bytes arrive, so a frame that can't be is never waited for or kept.
class WebPageMessageReader {
public:
    void Append(const char* bytes, qsizetype size);
    std::optional<WebPageMessage> Next();
    bool Broken() const { return FBroken; }

private:
    void Break();

    QByteArray FBuffer;
    qsizetype FRead = 0;
    qsizetype FNextHeader = 0; // where the first frame whose length is not yet checked begins
    bool FBroken = false;
};
