#include "lucorelogging_p.h"

Q_LOGGING_CATEGORY(lcCorePlugins, "lucore.plugins")
Q_LOGGING_CATEGORY(lcCoreStyle, "lucore.style")
