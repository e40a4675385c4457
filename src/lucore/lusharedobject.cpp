#include "lusharedobject.h"

LuSharedObject::LuSharedObject()
    : m_count(0)
{
}

LuSharedObject::~LuSharedObject() = default;

void LuSharedObject::ref()
{
    m_count.ref();
}

void LuSharedObject::release()
{
    if (!m_count.deref())
        deleteSelf();
}

int LuSharedObject::refCount() const
{
    return m_count.loadAcquire();
}

void LuSharedObject::deleteSelf()
{
    delete this;
}
