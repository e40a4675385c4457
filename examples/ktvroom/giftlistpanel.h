#ifndef KTVROOM_GIFTLISTPANEL_H
#define KTVROOM_GIFTLISTPANEL_H

#include <QList>
#include <QWidget>

class LuGiftItem;
class LuGiftView;
class QLabel;

// The room's gift panel: a LuGiftView over a list of gift records, with the current gift's
// tooltip below it.
class GiftListPanel : public QWidget
{
    Q_OBJECT

public:
    explicit GiftListPanel(QWidget* parent = nullptr);

    // Shows gifts; the view takes its own references.
    void setGifts(const QList<LuGiftItem*>& gifts);
    LuGiftView* view() const { return m_view; }

public Q_SLOTS:
    // Repaints the cell of gift, for example when the gift manager announces its new
    // thumbnail with thumbnailUpdated().
    void refreshGift(LuGiftItem* gift);

private:
    void showCurrent();

    LuGiftView* m_view;
    QLabel* m_details;
};

#endif
