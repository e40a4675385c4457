#ifndef LUCORE_LUSTYLE_H
#define LUCORE_LUSTYLE_H

#include <lucore/lucore_export.h>

class QComboBox;

/**
 * @file
 * The client's look for standard widgets.
 */

/**
 * Gives a combo box the client's look: a flat frame and a list drop-down that the
 * application's style sheet can address through the dynamic property "luStyled".
 * Calling it again on the same box changes nothing.
 * @param comboBox the box to style; null is reported on "lucore.style" and ignored
 */
LUCORE_EXPORT void luStyleComboBox(QComboBox* comboBox);

#endif
