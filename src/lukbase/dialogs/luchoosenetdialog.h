#ifndef LUKBASE_LUCHOOSENETDIALOG_H
#define LUKBASE_LUCHOOSENETDIALOG_H

#include <lucore/luskindialog.h>
#include <lukbase/lukbase_export.h>

class McMediaTransferQt;
class LuChooseNetDialogPrivate;

/**
 * Lets the user pick the media server (network line) that a media transfer connects to.
 *
 * The list, its refreshing and the connecting belong to the media engine's
 * McServerListWidget; the dialog frames it with OK and Cancel, connects on OK, and
 * rejects itself when the transfer it was given is destroyed while it is open.
 */
class LUKBASE_EXPORT LuChooseNetDialog : public LuSkinDialog
{
    Q_OBJECT

public:
    /**
     * Constructs the dialog, 320 x 200, with an empty server list.
     * @param parent the parent widget
     */
    explicit LuChooseNetDialog(QWidget* parent = nullptr);
    /** Destroys the dialog. */
    ~LuChooseNetDialog() override;

    /**
     * Shows the servers for a transfer. The transfer given last is the one watched: its
     * destruction rejects the dialog.
     * @param transfer the transfer, not owned; may be null
     * @param first passed unchanged, as UTF-8, to McServerListWidget::refreshServerList()
     * @param second passed on likewise
     * @param third passed on likewise
     */
    void setTransfer(McMediaTransferQt* transfer, const QString& first, const QString& second, const QString& third);

public Q_SLOTS:
    /** Connects the transfer to the selected server, then accepts the dialog. */
    void accept() override;

private Q_SLOTS:
    void objectDestroyed(QObject* obj);

private:
    Q_DECLARE_PRIVATE(LuChooseNetDialog)
    const QScopedPointer<LuChooseNetDialogPrivate> d_ptr;
};

#endif
