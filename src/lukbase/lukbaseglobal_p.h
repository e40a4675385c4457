#ifndef LUKBASE_LUKBASEGLOBAL_P_H
#define LUKBASE_LUKBASEGLOBAL_P_H

#include <lukbase/lukbase_export.h>

// Private classes that the test suites drive directly are exported from builds with tests.
#ifdef LUKBASE_AUTOTEST
#define LUKBASE_AUTOTEST_EXPORT LUKBASE_EXPORT
#else
#define LUKBASE_AUTOTEST_EXPORT
#endif

#endif
