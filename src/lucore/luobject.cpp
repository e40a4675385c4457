#include "luobject.h"

LuObject::LuObject() = default;

LuObject::~LuObject() = default;
