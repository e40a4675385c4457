#include "luwinprizeentry_p.h"

#include <lukbase/lugiftitem.h>

LuWinPrizeEntry::LuWinPrizeEntry(const LuWinPrizeEntry& other)
    : id(other.id)
    , price(other.price)
    , multiple(other.multiple)
    , time(other.time)
    , name(other.name)
    , image(other.image)
    , text(other.text)
    , multiples(other.multiples)
    , announced(other.announced)
{
    setGift(other.gift);
}

LuWinPrizeEntry::~LuWinPrizeEntry()
{
    setGift(nullptr);
}

void LuWinPrizeEntry::setGift(LuGiftItem* newGift)
{
    // Take the new reference first, so that setting the same gift again never frees it.
    if (newGift)
        newGift->ref();
    if (gift)
        gift->release();
    gift = newGift;
}
