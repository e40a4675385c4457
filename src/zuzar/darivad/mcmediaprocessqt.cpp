#include "mcmediaprocessqt.h"

McMediaProcessQt::McMediaProcessQt(QObject* parent)
    : QObject(parent)
{
}

McMediaProcessQt::~McMediaProcessQt() = default;

void McMediaProcessQt::refuseRequested()
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
