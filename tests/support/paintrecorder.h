#ifndef LUKBASE_TESTS_PAINTRECORDER_H
#define LUKBASE_TESTS_PAINTRECORDER_H

#include <QImage>
#include <QList>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

// A picture that records what is painted on it instead of rasterising it: texts with their
// baseline position, pen and font; images with their target rectangle; filled rectangles
// with their brush. It measures as the image it is, so fonts lay out as on screen. Painters
// must not transform it.
class PaintRecorder : public QImage
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
        QRgb centrePixel;
    };
    struct Fill
    {
        QRectF rect;
        QColor color;
    };

    explicit PaintRecorder(const QSize& size)
        : QImage(size, QImage::Format_ARGB32_Premultiplied)
        , m_engine(this)
    {
    }

    QPaintEngine* paintEngine() const override { return const_cast<Engine*>(&m_engine); }

    QList<Text> texts;
    QList<Image> images;
    QList<Fill> fills;

    // The texts whose baseline starts inside rect, joined from left to right.
    QString textIn(const QRectF& rect) const
    {
        QList<Text> inside;
        std::copy_if(texts.begin(), texts.end(), std::back_inserter(inside),
            [&](const Text& text) { return rect.contains(text.baseline); });
        std::sort(
            inside.begin(), inside.end(), [](const Text& a, const Text& b) { return a.baseline.x() < b.baseline.x(); });
        QString joined;
        for (const Text& text : inside)
            joined += text.text;
        return joined;
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
        }
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            m_device->texts.append({ item.text(), p, m_pen, item.font() });
        }
        void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override
        {
            m_device->images.append({ r, image.pixel(image.width() / 2, image.height() / 2) });
        }
        void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
        {
            drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
        }
        void drawRects(const QRectF* rects, int count) override
        {
            for (int i = 0; i < count; ++i)
                m_device->fills.append({ rects[i], m_brush });
        }
        // Outlines (rounded frames of style sheets) are not recorded.
        void drawPath(const QPainterPath&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        void drawRects(const QRect* rects, int count) override
        {
            for (int i = 0; i < count; ++i)
                m_device->fills.append({ QRectF(rects[i]), m_brush });
        }

    private:
        PaintRecorder* m_device;
        QColor m_pen;
        QColor m_brush;
    };

    Engine m_engine;
};

#endif
