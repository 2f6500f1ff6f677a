#include "platform/forms/FormsStyle.h"
#include <QApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QWidget>
#include "platform/forms/DeferredIcon.h"
#include "platform/forms/Font.h"

namespace {

// The class library's tabs pad their caption by 6 pixels on either side.
constexpr int kTabPadding = 6;
const char* const kCaretWidth = "qexCaretWidth";

class FormsStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 2 * kTabPadding;
        if (metric == PM_TextCursorWidth) {
            // A line edit asks with its panel's option alone.
            const QObject* asker = widget ? widget : option ? option->styleObject : nullptr;
            if (QVariant width = asker ? asker->property(kCaretWidth) : QVariant(); width.isValid())
                return width.toInt();
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    // The toolkit measures a caption by its ink, which may reach a pixel or two past its advance;
    // the class library measures the advance.
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (type != CT_TabBarTab || !tab || !tab->icon.isNull() || !widget || IsVertical(tab->shape))
            return result;
        QString caption = tab->text;
        caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        result.setWidth(QFontMetrics(widget->font()).horizontalAdvance(caption) + 2 * kTabPadding);
        return result;
    }

    // Every menu bar asks for its overflow button's picture when it is made, and the first such
    // picture loads the icon theme, the image format plugins and the picture file: the main
    // window's first frame waited milliseconds for a button that shows only on a narrow window.
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (option || (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton))
            return QProxyStyle::standardIcon(which, option, widget);
        QPointer<const FormsStyle> style(this);
        QPointer<const QWidget> asker(widget);
        return DeferredIcon([style, asker, which] {
            return style ? style->QProxyStyle::standardIcon(which, nullptr, asker) : QIcon();
        });
    }

private:
    static bool IsVertical(QTabBar::Shape shape)
    {
        switch (shape) {
        case QTabBar::RoundedWest:
        case QTabBar::RoundedEast:
        case QTabBar::TriangularWest:
        case QTabBar::TriangularEast: return true;
        default: return false;
        }
    }
};

} // namespace

void SetCaretWidth(QWidget* widget, int width)
{
    widget->setProperty(kCaretWidth, width);
    widget->update();
}

void InstallFormsStyle()
{
    if (!qApp)
        return;
    qApp->setStyle(new FormsStyle(QStringLiteral("fusion")));
    QApplication::setFont(TFont().ToQFont());
}
