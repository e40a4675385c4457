#include "mcrefusable.h"
#include "mcengine_p.h"

McRefusable::McRefusable(const char* className)
    : m_className(className)
    , m_requested(0)
    , m_refused(0)
{
}

McRefusable::~McRefusable() = default;

unsigned McRefusable::getRefuseData() const
{
    mcJournal(QStringLiteral("%1::getRefuseData()").arg(QLatin1String(m_className)));
    return m_requested.load();
}

void McRefusable::setRefuseData(unsigned mask)
{
    mcJournal(QStringLiteral("%1::setRefuseData(%2)").arg(QLatin1String(m_className), QString::number(mask)));
    m_requested.store(mask);
    refuseRequested();
}

unsigned McRefusable::refusedData() const
{
    mcJournal(QStringLiteral("%1::refusedData()").arg(QLatin1String(m_className)));
    return m_refused.load();
}

void McRefusable::refuseRequested()
{
    settleRefuse();
}

unsigned McRefusable::settleRefuse()
{
    const unsigned mask = m_requested.load();
    m_refused.store(mask);
    return mask;
}
