#include "mcmediatransferqt.h"

McMediaTransferQt::McMediaTransferQt(QObject* parent)
    : QObject(parent)
{
}

McMediaTransferQt::~McMediaTransferQt() = default;

void McMediaTransferQt::refuseRequested()
{
    if (m_settlePending)
        return;
    m_settlePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_settlePending = false;
            Q_EMIT refuseResult(int(settleRefuse()));
        },
        Qt::QueuedConnection);
}
