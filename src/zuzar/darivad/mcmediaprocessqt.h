#ifndef DARIVAD_MCMEDIAPROCESSQT_H
#define DARIVAD_MCMEDIAPROCESSQT_H

#include <zuzar/mcmediaprocess.h>

#include <QObject>

/**
 * The media process as a QObject. A refuse request made with setRefuseData() settles from
 * the event loop; then refusedData() reports the new mask and refuseResult() is emitted
 * once with it. Several requests in one turn of the loop settle together.
 */
class ZUZAR_EXPORT McMediaProcessQt : public QObject, public McMediaProcess
{
    Q_OBJECT

public:
    /**
     * Constructs a media process that refuses nothing.
     * @param parent the parent object
     */
    explicit McMediaProcessQt(QObject* parent = nullptr);
    /** Destroys the media process; a request not yet settled is dropped. */
    ~McMediaProcessQt() override;

Q_SIGNALS:
    /**
     * A refuse request was settled.
     * @param data_types the mask now in force
     */
    void refuseResult(int data_types);

protected:
    /** Settles the request from the event loop, together with any others of the same turn. */
    void refuseRequested() override;

private:
    bool m_settlePending = false;
};

#endif
