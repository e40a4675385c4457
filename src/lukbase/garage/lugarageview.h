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
    /**
     * Constructs an empty garage with its model and delegate.
     * @param parent the parent widget
     */
    explicit LuGarageView(QWidget* parent = nullptr);
    /** Destroys the view; the items stay the host's. */
    ~LuGarageView() override;

    /**
     * Shows garage items.
     * @param cars the items, in display order; not owned, they must outlive their display
     */
    void setCars(const QList<LuGarageItem*>& cars);

    /**
     * The item behind an index.
     * @param index an index of the view's model
     * @return the item, or null for an invalid index
     */
    LuGarageItem* car(const QModelIndex& index) const;
    /** @return the item of the current card, or null */
    LuGarageItem* currentCar() const;
    /**
     * The index of an item.
     * @param item the item
     * @param column the column of the index
     * @return the index of the first card that shows @p item; invalid when it is not shown
     */
    QModelIndex index(const LuGarageItem* item, int column = 0) const;

Q_SIGNALS:
    /**
     * The go-to-garage button of a card was clicked.
     * @param userid the id of the user whose card it is
     */
    void gotoUserGarage(int userid);

protected:
    /**
     * Notes a left press on a card's go-to-garage button; cards are never selected by the mouse.
     * @param event the mouse event
     */
    void mousePressEvent(QMouseEvent* event) override;
    /**
     * Moves the hover cover and shows a pointing hand over a button.
     * @param event the mouse event
     */
    void mouseMoveEvent(QMouseEvent* event) override;
    /**
     * Emits gotoUserGarage() when a left press on a button is released on that button.
     * @param event the mouse event
     */
    void mouseReleaseEvent(QMouseEvent* event) override;
    /**
     * Enter, Return or Space on the current card emits gotoUserGarage() for it, as its
     * button does.
     * @param event the key event
     */
    void keyPressEvent(QKeyEvent* event) override;
    /**
     * Repaints the cards in the new language on a change of language.
     * @param event the change event
     */
    void changeEvent(QEvent* event) override;
    /**
     * Shows the whole text of a card's button as its tooltip.
     * @param event the viewport's event
     * @return whether the event was handled
     */
    bool viewportEvent(QEvent* event) override;

private Q_SLOTS:
    void garageItemEntered(const QModelIndex& index);
    void garageItemEntered();

private:
    Q_DECLARE_PRIVATE(LuGarageView)
    const QScopedPointer<LuGarageViewPrivate> d_ptr;
};

#endif
