#ifndef LUKBASE_LUGARAGEVIEWDELEGATE_P_H
#define LUKBASE_LUGARAGEVIEWDELEGATE_P_H

#include <lucore/luobject.h>

#include <QAbstractItemDelegate>
#include <QImage>

class QFontMetrics;

// Paints one 190 x 140 garage card: the car's picture, the owner's name card and, under
// the mouse, the cover with logo, car name and go-to-garage button. Internal to the
// library; created by LuGarageView only, whose translation context its texts use.
class LuGarageViewDelegate : public QAbstractItemDelegate, public LuObject
{
    Q_OBJECT

public:
    explicit LuGarageViewDelegate(QObject* parent = nullptr);
    ~LuGarageViewDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The go-to-garage button of the card at card: 114 x 24, centred, its last row 10 pixels
    // above the card's last row. The view hit-tests the same rectangle.
    static QRect buttonRect(const QRect& card);
    // The go-to-garage button's text, translated.
    static QString buttonText();
    // The name card under the car: 160 x 20, centred, 29 pixels above the card's last row.
    static QRect nameCardRect(const QRect& card);
    // "[name](id)'s car." fitted into width: the name part is elided, the suffix stays
    // whole. With an owner picture (iconWidth > 0) the bracket is followed by spaces that
    // leave room for it.
    static QString ownerText(
        const QFontMetrics& metrics, const QString& name, const QString& id, qreal iconWidth, int width);

private:
    QImage m_nameCard;
    QImage m_carCover;
    QImage m_gotoButton;
};

#endif
