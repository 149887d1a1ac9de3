#pragma once

#include <QProxyStyle>

// The application's style with check boxes of a size of one's own, so that
// a list in large type ticks off with boxes as large as its text and lays its
// text out after them.
class TickSizeStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit TickSizeStyle(QObject* parent = nullptr);

    void setTickSize(int pixels) { m_tickSize = pixels; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    int m_tickSize = 0;
};
