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
    explicit McMediaProcessQt(QObject* parent = nullptr);
    ~McMediaProcessQt() override;

Q_SIGNALS:
    /** A refuse request was settled; @p data_types is the mask now in force. */
    void refuseResult(int data_types);

protected:
    void refuseRequested() override;

private:
    bool m_settlePending = false;
};

#endif
