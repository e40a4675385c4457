#ifndef LUKBASE_LUWINPRIZEMULTIPLE_H
#define LUKBASE_LUWINPRIZEMULTIPLE_H

#include <lukbase/lukbase_export.h>

#include <QtGlobal>

/**
 * One prize multiple of a sending of gifts and how many of its wins had it: the
 * (multiple, times) pairs that LuWinPrizePopup::makeMultiples() builds from the per-win
 * multiples, and that the group forms of LuWinPrizePopup::addPrize() and
 * LuWinPrizePopup::makeHornMessage() take.
 */
class LUKBASE_EXPORT LuWinPrizeMultiple
{
public:
    /**
     * A pair of a multiple and its count.
     * @param multiple the prize multiple of one win
     * @param times how many wins had it
     */
    LuWinPrizeMultiple(int multiple, int times)
        : m_multiple(multiple)
        , m_times(times)
    {
    }

    /** @return the prize multiple of one win */
    int multiple() const { return m_multiple; }
    /** @return how many wins had this multiple */
    int times() const { return m_times; }

    /**
     * Compares two pairs.
     * @param a one pair
     * @param b the other pair
     * @return true when both the multiples and the counts are equal
     */
    friend bool operator==(const LuWinPrizeMultiple& a, const LuWinPrizeMultiple& b)
    {
        return a.m_multiple == b.m_multiple && a.m_times == b.m_times;
    }
    /**
     * Compares two pairs.
     * @param a one pair
     * @param b the other pair
     * @return true when the multiples or the counts differ
     */
    friend bool operator!=(const LuWinPrizeMultiple& a, const LuWinPrizeMultiple& b) { return !(a == b); }

private:
    int m_multiple;
    int m_times;
};

Q_DECLARE_TYPEINFO(LuWinPrizeMultiple, Q_PRIMITIVE_TYPE);

#endif
