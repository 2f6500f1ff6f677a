// The engine's view of one page, as the helper process runs it for the browser control.
#pragma once
#include "platform/services/WebBrowserEngine.h"

class QWebEngineView;

std::unique_ptr<WebPageView> CreateEngineView(QWidget* parent, WebPageEvents events);
// The engine's own widget of a view CreateEngineView made, for what only the engine can tell.
QWebEngineView* EngineWidget(WebPageView& view);
