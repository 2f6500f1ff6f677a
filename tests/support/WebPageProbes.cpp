// The probes of the tests' own browser helper (see WebPageProbes.h); the shipped helper has none.
#include "platform/services/WebPageProbes.h"
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <unistd.h>

namespace {

// The settings the control decides, by name; false for any other.
bool Setting(QWebEnginePage& page, const QString& name)
{
    using S = QWebEngineSettings;
    static const std::pair<const char*, S::WebAttribute> kSettings[] = {
        {"AutoLoadImages", S::AutoLoadImages},
        {"PlaybackRequiresUserGesture", S::PlaybackRequiresUserGesture},
        {"ShowScrollBars", S::ShowScrollBars},
        {"JavascriptEnabled", S::JavascriptEnabled}};
    for (const auto& [settingName, attribute] : kSettings)
        if (name == QLatin1String(settingName))
            return page.settings()->testAttribute(attribute);
    return false;
}

// [type, x, y, button, buttons]: a mouse event at a point of the page.
void Mouse(QWidget* target, const QJsonArray& arguments)
{
    const QPointF at(arguments.at(1).toDouble(), arguments.at(2).toDouble());
    QMouseEvent event(static_cast<QEvent::Type>(arguments.at(0).toInt()), at, target->mapToGlobal(at),
                      static_cast<Qt::MouseButton>(arguments.at(3).toInt()),
                      Qt::MouseButtons::fromInt(arguments.at(4).toInt()), Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// [x, y, text]: text dragged onto a point of the page and dropped there.
void Drag(QWidget* target, const QJsonArray& arguments)
{
    const QPoint at(arguments.at(0).toInt(), arguments.at(1).toInt());
    QMimeData data;
    data.setText(arguments.at(2).toString());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

void RunWebPageProbe(const WebPageProbeTarget& target, const QString& name, const QJsonArray& arguments,
                     std::function<void(const QJsonValue&)> answer)
{
    QWebEnginePage* page = target.engine->page();
    if (name == QLatin1String("script")) {
        page->runJavaScript(arguments.at(0).toString(), QWebEngineScript::ApplicationWorld,
                            [answer = std::move(answer)](const QVariant& result) { answer(QJsonValue::fromVariant(result)); });
        return;
    }
    if (name == QLatin1String("text")) {
        page->toPlainText([answer = std::move(answer)](const QString& text) { answer(text); });
        return;
    }
    QJsonValue value;
    if (name == QLatin1String("title"))
        value = page->title();
    else if (name == QLatin1String("setting"))
        value = Setting(*page, arguments.at(0).toString());
    else if (name == QLatin1String("muted"))
        value = page->isAudioMuted();
    else if (name == QLatin1String("renderer"))
        value = static_cast<double>(page->renderProcessPid());
    else if (name == QLatin1String("pid"))
        value = static_cast<double>(::getpid());
    else if (name == QLatin1String("loads"))
        value = target.loads;
    else if (name == QLatin1String("mouse"))
        Mouse(target.input, arguments);
    else if (name == QLatin1String("drag"))
        Drag(target.input, arguments);
    answer(value);
}
