#ifndef LUKBASE_TESTS_PAINTRECORDER_H
#define LUKBASE_TESTS_PAINTRECORDER_H

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPixmap>
#include <QRectF>
#include <QTextItem>
#include <QTransform>

#include <algorithm>

// A paint device that records what is painted on it instead of rasterising it: texts with
// their baseline position, pen and font; images with their target rectangle; filled
// rectangles with their brush. Tests read painted texts and positions back from it.
// It measures like a QImage of the same size, so fonts lay out as on screen.
class PaintRecorder : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        QPointF baseline;
        QColor pen;
        QFont font;
    };
    struct Image
    {
        QRectF target;
        QSize pixelSize;
        qreal devicePixelRatio;
        QRgb centrePixel;
    };
    struct Fill
    {
        QRectF rect;
        QColor color;
    };

    explicit PaintRecorder(const QSize& size)
        : m_metrics(size, QImage::Format_ARGB32_Premultiplied)
        , m_engine(this)
    {
    }
    ~PaintRecorder() override = default;

    QPaintEngine* paintEngine() const override { return const_cast<Engine*>(&m_engine); }

    const QList<Text>& texts() const { return m_texts; }
    const QList<Image>& images() const { return m_images; }
    const QList<Fill>& fills() const { return m_fills; }

    // The texts whose baseline starts inside rect, joined from left to right.
    QString textIn(const QRectF& rect) const
    {
        QList<Text> inside;
        for (const Text& text : m_texts) {
            if (rect.contains(text.baseline))
                inside.append(text);
        }
        std::sort(
            inside.begin(), inside.end(), [](const Text& a, const Text& b) { return a.baseline.x() < b.baseline.x(); });
        QString joined;
        for (const Text& text : inside)
            joined += text.text;
        return joined;
    }

    // The first recorded text item that contains part, or a text with no content.
    Text textContaining(const QString& part) const
    {
        for (const Text& text : m_texts) {
            if (text.text.contains(part))
                return text;
        }
        return Text();
    }

    void clear()
    {
        m_texts.clear();
        m_images.clear();
        m_fills.clear();
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_metrics.width();
        case PdmHeight:
            return m_metrics.height();
        case PdmWidthMM:
            return m_metrics.widthMM();
        case PdmHeightMM:
            return m_metrics.heightMM();
        case PdmNumColors:
            return m_metrics.colorCount();
        case PdmDepth:
            return m_metrics.depth();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_metrics.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_metrics.logicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(PaintRecorder* device)
            : QPaintEngine(AllFeatures)
            , m_device(device)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyPen)
                m_pen = state.pen().color();
            if (state.state() & DirtyBrush)
                m_brush = state.brush().color();
            if (state.state() & DirtyFont)
                m_font = state.font();
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            m_device->m_texts.append({ item.text(), m_transform.map(p), m_pen, item.font() });
        }
        void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override
        {
            const QRgb centre = image.pixel(image.width() / 2, image.height() / 2);
            m_device->m_images.append({ m_transform.mapRect(r), image.size(), image.devicePixelRatio(), centre });
        }
        void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
        {
            drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
        }
        void drawRects(const QRectF* rects, int count) override
        {
            for (int i = 0; i < count; ++i)
                m_device->m_fills.append({ m_transform.mapRect(rects[i]), m_brush });
        }
        void drawRects(const QRect* rects, int count) override
        {
            for (int i = 0; i < count; ++i)
                m_device->m_fills.append({ m_transform.mapRect(QRectF(rects[i])), m_brush });
        }

    private:
        PaintRecorder* m_device;
        QColor m_pen;
        QColor m_brush;
        QFont m_font;
        QTransform m_transform;
    };

    QImage m_metrics;
    Engine m_engine;
    QList<Text> m_texts;
    QList<Image> m_images;
    QList<Fill> m_fills;
};

#endif
