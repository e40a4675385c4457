#ifndef LUKBASE_LUFLOWERGENERATOR_P_H
#define LUKBASE_LUFLOWERGENERATOR_P_H

#include "luflowergenerator.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

class LuFlowerGeneratorPrivate
{
    Q_DECLARE_PUBLIC(LuFlowerGenerator)

public:
    explicit LuFlowerGeneratorPrivate(LuFlowerGenerator* q);

    // Reads the pending file, if any, and forgets its path.
    void readPendingFile();

    LuFlowerGenerator* const q_ptr;
    const QString prefix;
    const QString suffix;
    // The flowers in file order; a flower's index is its position.
    QList<QString> flowers;
    // A flower file still to be read; empty once read.
    QString path;
    QRandomGenerator random;
};

#endif
