#ifndef MINIMALHOST_SHAREDRECORD_H
#define MINIMALHOST_SHAREDRECORD_H

#include <utility>

//! [holder]
// Holds one reference on a reference-counted record of the library (LuGiftItem,
// LuGiftStarItem, any LuSharedObject) for as long as it lives: ref() when it takes the
// record, release() when it lets go. Copies hold references of their own.
template <typename Record> class SharedRecord
{
public:
    SharedRecord() = default;
    explicit SharedRecord(Record* record)
        : m_record(record)
    {
        if (m_record)
            m_record->ref();
    }
    SharedRecord(const SharedRecord& other)
        : SharedRecord(other.m_record)
    {
    }
    SharedRecord(SharedRecord&& other) noexcept
        : m_record(std::exchange(other.m_record, nullptr))
    {
    }
    SharedRecord& operator=(SharedRecord other) noexcept
    {
        std::swap(m_record, other.m_record);
        return *this;
    }
    ~SharedRecord()
    {
        if (m_record)
            m_record->release();
    }

    Record* get() const { return m_record; }
    Record* operator->() const { return m_record; }
    explicit operator bool() const { return m_record != nullptr; }

private:
    Record* m_record = nullptr;
};
//! [holder]

#endif
