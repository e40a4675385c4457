# Run with -P: turns Doxygen's Qt help project into the .qch, checking that every link
# points into the project. Any message from qhelpgenerator fails the build, as Doxygen's do.
#   -DQHELPGENERATOR=<program> -DQHP=<index.qhp> -DQCH=<output.qch> -DRUNTIME_DIR=<dir>

# Qt tools want a private runtime directory; build machines often have none.
if(NOT DEFINED ENV{XDG_RUNTIME_DIR})
    file(MAKE_DIRECTORY "${RUNTIME_DIR}")
    file(CHMOD "${RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set(ENV{XDG_RUNTIME_DIR} "${RUNTIME_DIR}")
endif()

file(REMOVE "${QCH}")
execute_process(COMMAND "${QHELPGENERATOR}" -s -c "${QHP}" -o "${QCH}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "" OR NOT EXISTS "${QCH}")
    file(REMOVE "${QCH}")
    message(FATAL_ERROR "qhelpgenerator failed (${result}) on ${QHP}:\n${output}")
endif()
