#ifndef LUCORE_LUSTYLE_H
#define LUCORE_LUSTYLE_H

#include <lucore/lucore_export.h>

class QComboBox;

/**
 * Gives a combo box the client's look: a flat frame and a list drop-down that the
 * application's style sheet can address through the dynamic property "luStyled".
 * Calling it again on the same box changes nothing.
 */
LUCORE_EXPORT void luStyleComboBox(QComboBox* comboBox);

#endif
