#include "mcserverlistwidget.h"
#include "../mcengine_p.h"
#include "mcmediatransferqt.h"

McServerListWidget::McServerListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

McServerListWidget::~McServerListWidget() = default;

void McServerListWidget::setMediaTransfer(McMediaTransferQt* transfer)
{
    mcJournal(QStringLiteral("McServerListWidget::setMediaTransfer(%1)")
                  .arg(transfer ? QStringLiteral("transfer") : QStringLiteral("null")));
    m_transfer = transfer;
}

McMediaTransferQt* McServerListWidget::mediaTransfer() const
{
    return m_transfer;
}

void McServerListWidget::refreshServerList(const char* first, const char* second, const char* third)
{
    const QString a = QString::fromUtf8(first);
    const QString b = QString::fromUtf8(second);
    const QString c = QString::fromUtf8(third);
    mcJournal(QStringLiteral("McServerListWidget::refreshServerList(%1, %2, %3)").arg(a, b, c));

    QStringList servers;
    {
        McEngineState& state = McEngineState::instance();
        QMutexLocker locker(&state.mutex);
        servers = state.servers;
    }
    clear();
    addItems(servers);
    const int present = servers.indexOf(c);
    if (present >= 0)
        setCurrentRow(present);
}

void McServerListWidget::connectToSelected()
{
    const QListWidgetItem* item = currentItem();
    const QString server = item && item->isSelected() ? item->text() : QString();
    mcJournal(QStringLiteral("McServerListWidget::connectToSelected(%1)").arg(server));
    if (m_transfer && !server.isEmpty())
        m_transfer->connectToServer(server.toStdString());
}
