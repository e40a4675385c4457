#ifndef DARIVAD_MCMEDIAMANAGERQT_H
#define DARIVAD_MCMEDIAMANAGERQT_H

#include <zuzar/mcmediamanager.h>

#include <QObject>

/** The media manager as a QObject, so that it can live in a Qt object tree. */
class ZUZAR_EXPORT McMediaManagerQt : public QObject, public McMediaManager
{
    Q_OBJECT

public:
    /**
     * Constructs the manager, with the first listed devices in use and no capture running.
     * @param parent the parent object
     */
    explicit McMediaManagerQt(QObject* parent = nullptr);
    /** Destroys the manager. */
    ~McMediaManagerQt() override;
};

#endif
