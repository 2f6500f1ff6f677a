// The reference of the start-up benchmark: a bare Qt Widgets window of the main window's size,
// built with the program's flags, ending at its first painted frame as the program does. Given a
// line of text as well, it draws that line in the toolkit's default font: the least a window
// that shows any text pays for its fonts.
//
//   bench_bare_window WIDTH HEIGHT [TEXT]
#include "platform/services/FirstPaint.h"
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdlib>

namespace {

class TBareWindow : public QWidget {
public:
    explicit TBareWindow(QString text) : FText(std::move(text)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (FText.isEmpty())
            return;
        QPainter painter(this);
        painter.drawText(8, 20, FText);
    }

private:
    QString FText;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ExitAtFirstPaintWhenAsked();
    TBareWindow window(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
    window.resize(argc > 2 ? std::atoi(argv[1]) : 700, argc > 2 ? std::atoi(argv[2]) : 644);
    window.show();
    return app.exec();
}
