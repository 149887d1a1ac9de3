#include "cooking/ticksizestyle.h"

TickSizeStyle::TickSizeStyle(QObject* parent)
    : QProxyStyle()
{
    setParent(parent);
}

int TickSizeStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const
{
    if (m_tickSize > 0 && (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight))
        return m_tickSize;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
