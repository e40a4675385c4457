#ifndef DARIVAD_MCSERVERLISTWIDGET_H
#define DARIVAD_MCSERVERLISTWIDGET_H

#include <zuzar/zuzar_export.h>

#include <QListWidget>
#include <QPointer>

class McMediaTransferQt;

/** The list of media servers (network lines) that a media transfer can connect to. */
class ZUZAR_EXPORT McServerListWidget : public QListWidget
{
    Q_OBJECT

public:
    /**
     * Constructs an empty list without a transfer.
     * @param parent the parent widget
     */
    explicit McServerListWidget(QWidget* parent = nullptr);
    /** Destroys the list. */
    ~McServerListWidget() override;

    /**
     * Sets the transfer that connectToSelected() connects.
     * @param transfer the transfer, not owned and forgotten when destroyed; may be null
     */
    void setMediaTransfer(McMediaTransferQt* transfer);
    /** @return the transfer that connectToSelected() connects; null when none */
    McMediaTransferQt* mediaTransfer() const;

    /**
     * Refills the list with the engine's servers. The three texts (UTF-8, each may be null)
     * identify the room, the user's area and the present line to the engine.
     * @param first the room, as the engine knows it
     * @param second the user's area
     * @param third the present line: the server of that name, if listed, becomes the current row
     */
    void refreshServerList(const char* first, const char* second, const char* third);

    /** Connects the transfer to the selected server; does nothing without both. */
    void connectToSelected();

private:
    QPointer<McMediaTransferQt> m_transfer;
};

#endif
