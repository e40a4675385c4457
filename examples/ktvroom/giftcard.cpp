#include "giftcard.h"

#include <lukbase/lugiftitem.h>

#include <QDir>
#include <QFile>
#include <QPainter>

namespace {
const QSize kCardSize(104, 104);
const QColor kArrived(40, 150, 70);
const QColor kMissing(165, 165, 170);
} // namespace

GiftCard::GiftCard(LuGiftItem* item, const QString& giftDirectory, QWidget* parent)
    : QWidget(parent)
    , m_item(item)
    , m_giftDirectory(QDir(giftDirectory).absolutePath() + QLatin1Char('/'))
{
    setFixedSize(kCardSize);
    refresh();
}

QSize GiftCard::sizeHint() const
{
    return kCardSize;
}

bool GiftCard::inGiftDirectory(const QString& path) const
{
    return path.startsWith(m_giftDirectory) && QFile::exists(path);
}

void GiftCard::refresh()
{
    m_thumbnail = m_item->thumbnail();
    m_thumbnailDownloaded = inGiftDirectory(m_item->thumbnailPath());
    m_imageDownloaded = inGiftDirectory(m_item->imagePath());
    m_starDownloaded = inGiftDirectory(m_item->starLogoPath());
    m_flashDownloaded = QFile::exists(m_giftDirectory + QString::number(m_item->id()) + QStringLiteral(".swf"));
    m_starLogo = m_item->type() == 2 ? QImage(m_item->starLogoPath()) : QImage();
    setToolTip(m_item->tooltip());
    update();
}

void GiftCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(m_thumbnailDownloaded ? QColor(200, 220, 205) : QColor(220, 205, 200));
    painter.setBrush(m_thumbnailDownloaded ? QColor(250, 253, 250) : QColor(253, 249, 248));
    painter.drawRoundedRect(frame, 6, 6);

    const QRect picture(width() / 2 - 24, 5, 48, 48);
    if (!m_thumbnail.isNull())
        painter.drawImage(picture, m_thumbnail);
    if (!m_starLogo.isNull())
        painter.drawImage(QRect(picture.right() - 12, picture.bottom() - 12, 20, 20), m_starLogo);

    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 45));
    const QRect nameRect(3, 54, width() - 6, 15);
    painter.drawText(
        nameRect, Qt::AlignCenter, painter.fontMetrics().elidedText(m_item->name(), Qt::ElideRight, nameRect.width()));

    font.setBold(false);
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QColor(110, 90, 40));
    painter.drawText(QRect(3, 68, width() - 6, 13), Qt::AlignCenter,
        QStringLiteral("%1 coins").arg(QString::number(m_item->price())));

    // The state of the thumbnail, then one mark per file of the gift.
    painter.setPen(m_thumbnailDownloaded ? kArrived : QColor(190, 90, 60));
    painter.drawText(QRect(3, 80, width() - 6, 12), Qt::AlignCenter,
        m_thumbnailDownloaded ? QStringLiteral("downloaded") : QStringLiteral("fallback"));
    struct Mark
    {
        QString text;
        bool arrived;
    };
    QList<Mark> marks { { QStringLiteral("png"), m_thumbnailDownloaded },
        { QStringLiteral("gif"), m_imageDownloaded } };
    if (m_item->type() == 2)
        marks.append({ QStringLiteral("star"), m_starDownloaded });
    if (m_item->hasFlash())
        marks.append({ QStringLiteral("swf"), m_flashDownloaded });
    font.setPixelSize(9);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int total = 0;
    for (const Mark& mark : marks)
        total += metrics.horizontalAdvance(mark.text) + 6;
    int x = (width() - total + 6) / 2;
    for (const Mark& mark : marks) {
        const int w = metrics.horizontalAdvance(mark.text);
        painter.setPen(mark.arrived ? kArrived : kMissing);
        painter.drawText(QRect(x, 91, w, 11), Qt::AlignCenter, mark.text);
        x += w + 6;
    }
}
