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
    explicit McMediaTransferQt(QObject* parent = nullptr);
    ~McMediaTransferQt() override;

Q_SIGNALS:
    /** A refuse request was settled; @p data_types is the mask now in force. */
    void refuseResult(int data_types);

protected:
    void refuseRequested() override;

private:
    bool m_settlePending = false;
};

#endif
