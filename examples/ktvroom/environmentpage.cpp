#include "environmentpage.h"

#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

EnvironmentPage::EnvironmentPage(QWidget* parent)
    : SandboxPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("<h2>Room client environment</h2>"), this);
    layout->addWidget(heading);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    layout->addLayout(form);

    addRow(form, QStringLiteral("Application"), LuKBase::applicationInfo());
    addRow(form, QStringLiteral("Platform"), LuKBase::platformInfo());
    addRow(form, QStringLiteral("Device"), LuKBase::deviceInfo());
    addRow(form, QStringLiteral("Locale"), LuKBase::localeName());
    addRow(form, QStringLiteral("Local user"),
        QStringLiteral("%1 (id %2)")
            .arg(LuKtvLocalUser::instance()->username(), QString::number(LuKtvLocalUser::instance()->userid())));
    addRow(form, QStringLiteral("Data directory"), LuKBase::dataFilePath(QString()));
    addRow(form, QStringLiteral("User directory"), LuKBase::userDirectory());
    addRow(form, QStringLiteral("Gift directory"), LuKBase::giftDirectory());
    addRow(form, QStringLiteral("Plug-ins directory"), LuKBase::pluginsDirectory());
    addRow(form, QStringLiteral("Resource root"), LuKBase::resourceDirectory());
    addRow(form, QStringLiteral("Translations"), LuKBase::translationsDirectory());
    layout->addStretch(1);
}

QString EnvironmentPage::title() const
{
    return QStringLiteral("Environment");
}

void EnvironmentPage::addRow(QFormLayout* form, const QString& label, const QString& value)
{
    auto* field = new QLabel(value.isNull() ? QStringLiteral("<i>(none)</i>") : value.toHtmlEscaped(), this);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    field->setWordWrap(true);
    form->addRow(label + QLatin1Char(':'), field);
}
