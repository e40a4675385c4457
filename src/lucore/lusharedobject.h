#ifndef LUCORE_LUSHAREDOBJECT_H
#define LUCORE_LUSHAREDOBJECT_H

#include <lucore/luobject.h>

#include <QAtomicInt>

/**
 * A reference-counted record. The count starts at 0: every holder calls ref() when it
 * stores the record and release() when it lets go; the last release() destroys it
 * through deleteSelf(). Nobody may touch the record after its release().
 */
class LUCORE_EXPORT LuSharedObject : public LuObject
{
public:
    /** Constructs a record with a count of 0: nobody holds it yet. */
    LuSharedObject();
    /** Destroys the record; called through deleteSelf() by the last release(). */
    ~LuSharedObject() override;

    /** Takes one reference (atomic increment). */
    void ref();
    /** Gives one reference back; at zero the record deletes itself. */
    void release();
    /**
     * The present count, for diagnostics and tests.
     * @return the number of references held; it may change at once in other threads
     */
    int refCount() const;

protected:
    /** Destroys the record when its last reference goes; deletes it by default. */
    virtual void deleteSelf();

private:
    LuSharedObject(const LuSharedObject&) = delete;
    LuSharedObject& operator=(const LuSharedObject&) = delete;

    QAtomicInt m_count;
};

#endif
