#ifndef KTVROOM_GIFTLISTPAGE_H
#define KTVROOM_GIFTLISTPAGE_H

#include "sandboxpage.h"

#include <QList>

class LuGiftItem;
class LuGiftView;
class QLabel;

// A gift panel: a LuGiftView over a list of gift records, with the current gift's
// tooltip below it. Any page with a gift catalogue can embed it.
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

// The gift list with a small catalogue of pictures the sandbox draws, priced to show
// plain numbers, Wan and Yi.
class GiftListPage : public SandboxPage
{
    Q_OBJECT

public:
    explicit GiftListPage(QWidget* parent = nullptr);
    ~GiftListPage() override;

    QString title() const override;
    // Makes one gift current and puts the pointer over another.
    void prepareScreenshot(const std::function<void()>& ready) override;

private:
    QList<LuGiftItem*> m_gifts;
    GiftListPanel* m_panel;
};

#endif
