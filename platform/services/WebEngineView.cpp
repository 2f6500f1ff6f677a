#include "platform/services/WebEngineView.h"
#include "platform/services/WebBrowserFaces.h"
#include "platform/services/WebBrowserPage.h"
#include <QChildEvent>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QJsonDocument>
#include <QJsonValue>
#include <QKeyEvent>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

class EngineView : public QWebEngineView, public WebPageView {
public:
    EngineView(QWidget* parent, WebPageEvents events) : QWebEngineView(parent), FEvents(std::move(events))
    {
        auto* page = new WebBrowserPage(this);
        page->OnLinkActivated = [this](const QString& href) { FEvents.LinkActivated(href); };
        page->OnAlert = FEvents.Alert;
        page->OnConfirm = FEvents.Confirm;
        page->OnPrompt = FEvents.Prompt;
        page->OnScriptError = FEvents.ScriptError;
        page->OnCloseRequested = [this] { FEvents.CloseRequested(); };
        setPage(page);
        connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) { FEvents.LoadFinished(ok); });
        connect(page, &QWebEnginePage::selectionChanged, this, [this] { FEvents.SelectionChanged(); });
        connect(page, &QWebEnginePage::windowCloseRequested, this, [this] { FEvents.CloseRequested(); });
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


    void Apply(const WebPageSettings& wanted) override
    {
        using S = QWebEngineSettings;
        S* settings = page()->settings();
        settings->setAttribute(S::AutoLoadImages, wanted.images);
        settings->setAttribute(S::PlaybackRequiresUserGesture, !wanted.videos);
        page()->setAudioMuted(!wanted.sounds);
        static_cast<WebBrowserPage*>(page())->SetScripts(wanted.scripts);
        settings->setFontFamily(S::StandardFont, wanted.standardFamily);
        settings->setFontFamily(S::SansSerifFont, wanted.sansSerifFamily);
        settings->setFontFamily(S::SerifFont, wanted.serifFamily);
        settings->setFontFamily(S::FixedFont, wanted.fixedFamily);
        if (wanted.namedFaces != FNamedFaces) {
            FNamedFaces = wanted.namedFaces;
            UseFaces(NamedFaceStyleSheet(FNamedFaces));
        }
    }

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
        case QEvent::DragEnter:
        {
            const auto* drag = static_cast<QDropEvent*>(event);
            FDrag = FEvents.DragEntered(drag->mimeData(), drag->position().toPoint(), drag->possibleActions());
        }
            return Dragged(static_cast<QDropEvent*>(event));
        case QEvent::DragMove:
        case QEvent::Drop:
            return Dragged(static_cast<QDropEvent*>(event));
        case QEvent::DragLeave:
            if (FDrag.target)
                return QCoreApplication::sendEvent(FDrag.target, event);
            break;
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

    // The engine hands the focus on when Tab goes past the page's last link or Shift+Tab past its
    // first; left to the toolkit, it would come straight back to the page, which starts over.
    bool focusNextPrevChild(bool next) override
    {
        if (!FEvents.FocusLeft)
            return QWebEngineView::focusNextPrevChild(next);
        FEvents.FocusLeft(next);
        return true;
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
    // The faces the pages name, as a style sheet of the isolated world's own that the document
    // adopts: the page's bytes and elements stay as they are.
    void UseFaces(const QString& styleSheet)
    {
        const QString quoted = QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{styleSheet}).toJson(QJsonDocument::Compact));
        const QString adopt = QStringLiteral("(function (css) {"
                                             "  var sheet = new CSSStyleSheet(); sheet.replaceSync(css[0]);"
                                             "  document.adoptedStyleSheets = [sheet];"
                                             "})(%1);")
                                  .arg(quoted);
        QWebEngineScriptCollection& scripts = page()->scripts();
        for (const QWebEngineScript& old : scripts.find(kFacesScript))
            scripts.remove(old);
        QWebEngineScript faces;
        faces.setName(kFacesScript);
        faces.setWorldId(QWebEngineScript::ApplicationWorld);
        faces.setInjectionPoint(QWebEngineScript::DocumentCreation);
        faces.setRunsOnSubFrames(false);
        faces.setSourceCode(adopt);
        scripts.insert(faces);
        page()->runJavaScript(adopt, QWebEngineScript::ApplicationWorld);
    }

    // A drag goes where the control said as it entered: to its own target, or on to the engine,
    // with the data the control put in its place.
    bool Dragged(QDropEvent* event)
    {
        if (FDrag.target) {
            QCoreApplication::sendEvent(FDrag.target, event);
            return true;
        }
        if (FDrag.data)
            ReplaceData(*event, FDrag.data);
        return false;
    }

    // The event carries its data by a pointer it does not own; the engine reads it from there.
    struct DataOfDropEvent : QDropEvent {
        static auto Member() { return &DataOfDropEvent::m_data; }
    };
    static void ReplaceData(QDropEvent& event, const QMimeData* data) { event.*DataOfDropEvent::Member() = data; }

    static inline const QString kFacesScript = QStringLiteral("qexfaces");
    WebPageEvents FEvents;
    std::vector<std::pair<QString, QString>> FNamedFaces;
    WebDragAnswer FDrag;
};

} // namespace

std::unique_ptr<WebPageView> CreateEngineView(QWidget* parent, WebPageEvents events)
{
    return std::make_unique<EngineView>(parent, std::move(events));
}

QWebEngineView* EngineWidget(WebPageView& view)
{
    return static_cast<EngineView*>(&view);
}
