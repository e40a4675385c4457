#include "mcmediamanagerqt.h"

McMediaManagerQt::McMediaManagerQt(QObject* parent)
    : QObject(parent)
{
}

McMediaManagerQt::~McMediaManagerQt() = default;
