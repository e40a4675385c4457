#ifndef LUCORE_LUOBJECT_H
#define LUCORE_LUOBJECT_H

#include <lucore/lucore_export.h>

/**
 * The common base of the room client's objects. Classes that derive from a Qt class
 * carry it as their second base, so a meta-object cast to "LuObject" finds this part.
 */
class LUCORE_EXPORT LuObject
{
public:
    /** Constructs the base part. */
    LuObject();
    /** Destroys the object; virtual, so a record may be deleted through this base. */
    virtual ~LuObject();
};

#endif
