#ifndef MINIMALHOST_GIFTSHELF_H
#define MINIMALHOST_GIFTSHELF_H

#include "sharedrecord.h"

#include <lukbase/lugiftitem.h>

#include <QList>
#include <QSet>
#include <QWidget>

class LuGiftManager;
class LuGiftView;

// The room's gift panel: the host's catalogue of gift records, the manager that fetches
// their pictures and the view that shows them.
class GiftShelf : public QWidget
{
    Q_OBJECT

public:
    // iconsPath holds the fallback icons; downloadPrefix serves the gift files.
    GiftShelf(const QString& iconsPath, const QString& downloadPrefix, QWidget* parent = nullptr);

    QList<LuGiftItem*> gifts() const;
    // Thumbnails that were missing at start and have not arrived yet.
    int waitingThumbnails() const;

Q_SIGNALS:
    void thumbnailsArrived();

private:
    void buildCatalogue();
    void showThumbnail(LuGiftItem* gift);
    void noteArrival(const LuGiftItem* gift);

    QList<SharedRecord<LuGiftItem>> m_catalogue;
    QSet<const LuGiftItem*> m_waiting;
    LuGiftManager* m_manager;
    LuGiftView* m_view;
};

#endif
