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
    explicit McServerListWidget(QWidget* parent = nullptr);
    ~McServerListWidget() override;

    /** The transfer that connectToSelected() connects; may be null. */
    void setMediaTransfer(McMediaTransferQt* transfer);
    McMediaTransferQt* mediaTransfer() const;

    /**
     * Refills the list with the engine's servers. The three texts (UTF-8, may be null)
     * identify the room, the user's area and the present line to the engine; the server
     * named by @p third, if listed, becomes the current row.
     */
    void refreshServerList(const char* first, const char* second, const char* third);

    /** Connects the transfer to the selected server; does nothing without both. */
    void connectToSelected();

private:
    QPointer<McMediaTransferQt> m_transfer;
};

#endif
