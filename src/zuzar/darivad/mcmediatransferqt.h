#ifndef DARIVAD_MCMEDIATRANSFERQT_H
#define DARIVAD_MCMEDIATRANSFERQT_H

#include <zuzar/mcmediatransfer.h>

#include <QObject>

/**
 * The media transfer as a QObject. A refuse request made with setRefuseData() settles from
 * the event loop; then refusedData() reports the new mask and refuseResult() is emitted
 * once with it. Several requests in one turn of the loop settle together.
 */
class ZUZAR_EXPORT McMediaTransferQt : public QObject, public McMediaTransfer
{
    Q_OBJECT

public:
    /**
     * Constructs a transfer that refuses nothing.
     * @param parent the parent object
     */
    explicit McMediaTransferQt(QObject* parent = nullptr);
    /** Destroys the transfer; a request not yet settled is dropped. */
    ~McMediaTransferQt() override;

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
