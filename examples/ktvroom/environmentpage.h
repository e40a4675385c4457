#ifndef KTVROOM_ENVIRONMENTPAGE_H
#define KTVROOM_ENVIRONMENTPAGE_H

#include "sandboxpage.h"

class QFormLayout;

// The room client's environment as the library reports it.
class EnvironmentPage : public SandboxPage
{
    Q_OBJECT

public:
    explicit EnvironmentPage(QWidget* parent = nullptr);

    QString title() const override;

private:
    void addRow(QFormLayout* form, const QString& label, const QString& value);
};

#endif
