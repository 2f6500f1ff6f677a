#include "platform/forms/DeferredIcon.h"
#include <QIconEngine>
#include <QPainter>
#include <memory>

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make)
        : FMade(std::make_shared<Made>(Made{std::move(make), QIcon(), false}))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    // Asked with the size in device pixels; the icon is asked with the size it was given.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QSize logical(qRound(size.width() / scale), qRound(size.height() / scale));
        return Icon().pixmap(logical, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QString iconName() override { return Icon().name(); }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("QexDeferredIcon"); }
    // Copies share the one icon, made once.
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    struct Made {
        std::function<QIcon()> make;
        QIcon icon;
        bool done;
    };

    const QIcon& Icon()
    {
        if (!FMade->done) {
            FMade->done = true;
            FMade->icon = FMade->make();
            FMade->make = nullptr;
        }
        return FMade->icon;
    }

    std::shared_ptr<Made> FMade;
};

} // namespace

QIcon DeferredIcon(std::function<QIcon()> make)
{
    return QIcon(new DeferredIconEngine(std::move(make)));
}
