// What tests ask of the engine itself through the channel: run a script in the isolated world,
// read the page's text, its title, a setting or its counters, make mouse events and drags. The
// shipped helper links WebPageNoProbes.cpp, which answers every probe with null; only the tests'
// own helper links the probes (tests/support/WebPageProbes.cpp).
#pragma once
#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <functional>

class QWebEngineView;
class QWidget;

struct WebPageProbeTarget {
    QWebEngineView* engine = nullptr;
    QWidget* input = nullptr; // the widget that takes the page's keys and mouse
    int loads = 0;            // pages loaded so far
};

// Calls answer once, now or when the engine has answered.
void RunWebPageProbe(const WebPageProbeTarget& target, const QString& name, const QJsonArray& arguments,
                     std::function<void(const QJsonValue&)> answer);
