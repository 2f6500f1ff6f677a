// The module that holds the browser engine: one view of one page for TWebBrowser, created through
// the entry point below when the control first shows a page.
#include "platform/services/WebBrowserEngine.h"
#include "platform/services/WebBrowserPage.h"
#include <QChildEvent>
#include <QContextMenuEvent>
#include <QJsonDocument>
#include <QJsonValue>
#include <QKeyEvent>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

class EngineView : public QWebEngineView, public WebPageView {
public:
    EngineView(QWidget* parent, WebPageEvents events) : QWebEngineView(parent), FEvents(std::move(events))
    {
        auto* page = new WebBrowserPage(this);
        page->OnLinkActivated = [this](const QString& href) { FEvents.LinkActivated(href); };
        setPage(page);
        connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) { FEvents.LoadFinished(ok); });
        connect(page, &QWebEnginePage::selectionChanged, this, [this] { FEvents.SelectionChanged(); });
    }

    QWidget* Widget() override { return this; }
    void Load(const QByteArray& html) override { static_cast<WebBrowserPage*>(page())->LoadHtml(html); }

    void ScrollToAnchor(const QString& name) override
    {
        const QString quoted = QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{name}).toJson(QJsonDocument::Compact));
        page()->runJavaScript(QStringLiteral("(function (names) {"
                                             "  var target = document.getElementById(names[0]) ||"
                                             "               document.getElementsByName(names[0])[0];"
                                             "  if (target) target.scrollIntoView();"
                                             "})(%1);")
                                  .arg(quoted),
                              QWebEngineScript::ApplicationWorld);
    }

    void SetScrollBarsShown(bool shown) override
    {
        page()->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, shown);
    }

    void PlainText(std::function<void(const QString&)> done) override { page()->toPlainText(std::move(done)); }

protected:
    // Keys and focus reach the widget that draws the page, a child the engine makes (and may
    // make again), not this view.
    void childEvent(QChildEvent* event) override
    {
        if (event->added() && event->child()->isWidgetType())
            event->child()->installEventFilter(this);
        QWebEngineView::childEvent(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return FEvents.KeyPressed(*static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            FEvents.FocusChanged(event->type() == QEvent::FocusIn);
            break;
        default:
            break;
        }
        return QWebEngineView::eventFilter(watched, event);
    }

    // The engine's own menu offers to open a link in a window or tab, to save it, to view the
    // source: each would pass by the link check. The control's menu keeps what stays in the page.
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        const QWebEngineContextMenuRequest* request = lastContextMenuRequest();
        const bool onLink = request && !request->linkUrl().isEmpty();
        if (FEvents.ContextMenuRequested(onLink, event->pos()))
            return;
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(pageAction(QWebEnginePage::Copy));
        menu->addAction(pageAction(QWebEnginePage::SelectAll));
        menu->popup(event->globalPos());
    }

private:
    WebPageEvents FEvents;
};

} // namespace

extern "C" Q_DECL_EXPORT WebPageView* qex_create_web_page_view(QWidget* parent, WebPageEvents events)
{
    return new EngineView(parent, std::move(events));
}
