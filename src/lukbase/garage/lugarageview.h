#ifndef LUKBASE_LUGARAGEVIEW_H
#define LUKBASE_LUGARAGEVIEW_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QList>
#include <QListView>
#include <QScopedPointer>

class LuGarageItem;
class LuGarageViewPrivate;

/**
 * The garage: a grid of 190 x 140 cards, one per LuGarageItem, each with the car's picture
 * and a name card naming the owner. Under the mouse a card shows a cover with the car's
 * logo, its name and a go-to-garage button; clicking that button emits gotoUserGarage().
 *
 * The view owns its model (LuGarageModel) and its painting delegate; the items are the
 * host's. Clicks neither select nor change the current card; Enter or Space on the current
 * card acts as its button. The card pictures come from
 * the host's resources ":pics/garage-namecard.png", ":pics/garage-carcover.png" and
 * ":pics/garage-goto.png"; the object name is "GarageListView" for the host's style sheet.
 */
class LUKBASE_EXPORT LuGarageView : public QListView, public LuObject
{
    Q_OBJECT

public:
    explicit LuGarageView(QWidget* parent = nullptr);
    ~LuGarageView() override;

    /** Shows @p cars, in that order; the items must outlive their display. */
    void setCars(const QList<LuGarageItem*>& cars);

    /** The item behind @p index, or null for an invalid index. */
    LuGarageItem* car(const QModelIndex& index) const;
    /** The item of the current card, or null. */
    LuGarageItem* currentCar() const;
    /** The index of the first card that shows @p item; invalid when it is not shown. */
    QModelIndex index(const LuGarageItem* item, int column = 0) const;

Q_SIGNALS:
    /** The go-to-garage button of the card of user @p userid was clicked. */
    void gotoUserGarage(int userid);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private Q_SLOTS:
    void garageItemEntered(const QModelIndex& index);
    void garageItemEntered();

private:
    Q_DECLARE_PRIVATE(LuGarageView)
    QScopedPointer<LuGarageViewPrivate> d_ptr;
};

#endif
