#include "lustyle.h"
#include "lucorelogging_p.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListView>

void luStyleComboBox(QComboBox* comboBox)
{
    if (!comboBox) {
        qCWarning(lcCoreStyle) << "luStyleComboBox: null combo box";
        return;
    }
    if (comboBox->property("luStyled").toBool())
        return;
    comboBox->setProperty("luStyled", true);
    // A plain list view lets item style sheets (height, padding) apply to the drop-down.
    comboBox->setView(new QListView(comboBox));
    comboBox->setStyleSheet(
        QStringLiteral("QComboBox[luStyled=\"true\"] { border: 1px solid #8f6fc0; border-radius: 2px;"
                       " padding: 1px 4px; background: #ffffff; }"
                       "QComboBox[luStyled=\"true\"] QAbstractItemView { border: 1px solid #8f6fc0;"
                       " selection-background-color: #e6dcf5; selection-color: #000000; }"));
}
