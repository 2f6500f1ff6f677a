// The reference of the start-up benchmark: a bare Qt Widgets window of the main window's size,
// built with the program's flags, ending at its first painted frame as the program does.
#include "platform/services/FirstPaint.h"
#include <QApplication>
#include <QWidget>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ExitAtFirstPaintWhenAsked();
    QWidget window;
    window.resize(argc > 2 ? std::atoi(argv[1]) : 700, argc > 2 ? std::atoi(argv[2]) : 644);
    window.show();
    return app.exec();
}
