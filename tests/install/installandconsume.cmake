# Run with -P; see CMakeLists.txt beside it.
file(REMOVE_RECURSE "${WORK_DIR}")
set(installed "${WORK_DIR}/installed")
set(moved "${WORK_DIR}/moved/prefix")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
    set(run_output "${output}" PARENT_SCOPE)
endfunction()

run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${installed}")
file(MAKE_DIRECTORY "${WORK_DIR}/moved")
file(RENAME "${installed}" "${moved}")

foreach(file include/lukbase/lukbase.h include/lucore/luplugin.h include/zuzar/mcmediamanager.h
        include/darivad/mcmediatransferqt.h bin/translations/lukbase_zh_CN.qm ${LIBDIR}/pkgconfig/lukbase.pc
        ${QCH})
    if(NOT EXISTS "${moved}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# The sandbox comes along only when asked for.
file(GLOB sandbox "${moved}/bin/ktvroom*" "${moved}/bin/pluginstore" "${moved}/bin/plugins" "${moved}/bin/emotion")
if(sandbox AND NOT INSTALL_EXAMPLES)
    message(FATAL_ERROR "sandbox installed without LUKBASE_INSTALL_EXAMPLES: ${sandbox}")
endif()
file(GLOB_RECURSE private_headers "${moved}/include/*_p.h")
if(private_headers)
    message(FATAL_ERROR "private headers installed: ${private_headers}")
endif()

run("${CMAKE_COMMAND}" -S "${CONSUMER_SOURCE_DIR}" -B "${WORK_DIR}/consumer" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${moved}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}"
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${EXE_LINKER_FLAGS}")
run("${CMAKE_COMMAND}" --build "${WORK_DIR}/consumer")
run("${WORK_DIR}/consumer/consumer" "${moved}/bin/translations")
message(STATUS "${run_output}")
if(NOT run_output MATCHES "consumer ok")
    message(FATAL_ERROR "the consumer did not finish")
endif()

# The same host without CMake: one compiler command line from pkg-config's answers.
set(ENV{PKG_CONFIG_PATH} "${moved}/${LIBDIR}/pkgconfig")
run("${PKG_CONFIG}" --variable=libdir lukbase)
string(STRIP "${run_output}" pc_libdir)
file(REAL_PATH "${pc_libdir}" pc_libdir)
file(REAL_PATH "${moved}/${LIBDIR}" moved_libdir)
if(NOT pc_libdir STREQUAL moved_libdir)
    message(FATAL_ERROR "lukbase.pc is not relocatable: libdir ${pc_libdir}")
endif()
run("${PKG_CONFIG}" --variable=translationsdir lukbase)
string(STRIP "${run_output}" pc_translations)
run("${PKG_CONFIG}" --cflags --libs lukbase)
separate_arguments(pc_flags UNIX_COMMAND "${run_output}")
separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
separate_arguments(linker_flags UNIX_COMMAND "${LINKER_FLAGS}")
set(pc_consumer "${WORK_DIR}/pkgconfig-consumer")
run("${CXX_COMPILER}" -std=c++17 -fPIC ${cxx_flags} "${CONSUMER_SOURCE_DIR}/main.cpp" -o "${pc_consumer}"
    ${linker_flags} ${pc_flags} "-Wl,-rpath,${pc_libdir}")
run("${pc_consumer}" "${pc_translations}")
message(STATUS "${run_output}")
if(NOT run_output MATCHES "consumer ok")
    message(FATAL_ERROR "the consumer built with pkg-config did not finish")
endif()
