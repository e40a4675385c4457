#ifndef LUKBASE_LUWINPRIZEENTRY_P_H
#define LUKBASE_LUWINPRIZEENTRY_P_H

#include <lukbase/luwinprizemultiple.h>

#include <QImage>
#include <QList>
#include <QString>

class LuGiftItem;

// One line of the win-prize ticker. A line with a gift is a prize; without one, a plain
// message. Every copy holds its own reference to the gift and gives it back when it dies.
class LuWinPrizeEntry
{
public:
    LuWinPrizeEntry() = default;
    LuWinPrizeEntry(const LuWinPrizeEntry& other);
    LuWinPrizeEntry& operator=(const LuWinPrizeEntry& other) = delete;
    ~LuWinPrizeEntry();

    // Takes a reference to gift (which may be null) and gives back the previous one.
    void setGift(LuGiftItem* newGift);

    int id = 0;
    qint64 price = 0;
    // The win's multiple; for a group, the sum of multiple x times (wrapping in 32 bits).
    int multiple = 0;
    qint64 time = 0;
    QString name;
    LuGiftItem* gift = nullptr;
    QImage image;
    QString text;
    QList<LuWinPrizeMultiple> multiples;
    bool announced = false;
};

#endif
