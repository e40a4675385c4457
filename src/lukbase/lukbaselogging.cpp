#include "lukbaselogging_p.h"

Q_LOGGING_CATEGORY(lcKBase, "lukbase.kbase")
Q_LOGGING_CATEGORY(lcPlugins, "lukbase.plugins")
Q_LOGGING_CATEGORY(lcGifts, "lukbase.gifts")
Q_LOGGING_CATEGORY(lcPrize, "lukbase.prize")
Q_LOGGING_CATEGORY(lcGarage, "lukbase.garage")
Q_LOGGING_CATEGORY(lcFlower, "lukbase.flower")
Q_LOGGING_CATEGORY(lcMedia, "lukbase.media")
Q_LOGGING_CATEGORY(lcDialogs, "lukbase.dialogs")
