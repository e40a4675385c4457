#ifndef DARIVAD_MCMEDIAMANAGERQT_H
#define DARIVAD_MCMEDIAMANAGERQT_H

#include <zuzar/mcmediamanager.h>

#include <QObject>

/** The media manager as a QObject, so that it can live in a Qt object tree. */
class ZUZAR_EXPORT McMediaManagerQt : public QObject, public McMediaManager
{
    Q_OBJECT

public:
    explicit McMediaManagerQt(QObject* parent = nullptr);
    ~McMediaManagerQt() override;
};

#endif
