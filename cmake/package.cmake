# The packages of a release, made by the target `packages` (scripts/package.sh):
# the installer (NSIS, Debian's nsis) and the portable zip, both named with the
# version, in PELLACOR_DIST_DIR. Not part of `all`: only a release needs them.
find_program(MAKENSIS makensis)
set(PELLACOR_DIST_DIR ${CMAKE_BINARY_DIR}/dist CACHE PATH "Where the installer and the zip go")
if(NOT MAKENSIS OR NOT HELP_FILE)
    message(STATUS "makensis or the help file missing: no target `packages`")
    return()
endif()

set(GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/package/Version.nsh.in ${GENERATED}/Version.nsh @ONLY)
set(SETUP_FILE ${PELLACOR_DIST_DIR}/Pellacor-${PROJECT_VERSION}-setup.exe)
set(ZIP_FILE ${PELLACOR_DIST_DIR}/Pellacor-${PROJECT_VERSION}.zip)
set(PORTABLE ${CMAKE_BINARY_DIR}/portable)

add_custom_command(
    OUTPUT ${SETUP_FILE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PELLACOR_DIST_DIR}
    COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DGENERATED=${GENERATED} -DPROGRAM=$<TARGET_FILE:Pellacor>
            -DHELP=${HELP_FILE} -DICON=${CMAKE_SOURCE_DIR}/res/Pellacor.ico -DOUTFILE=${SETUP_FILE}
            ${CMAKE_SOURCE_DIR}/package/Pellacor.nsi
    DEPENDS Pellacor ${HELP_FILE} ${CMAKE_SOURCE_DIR}/package/Pellacor.nsi ${GENERATED}/Version.nsh
            ${CMAKE_SOURCE_DIR}/res/Pellacor.ico
    COMMENT "Making the installer Pellacor-${PROJECT_VERSION}-setup.exe"
    VERBATIM)

# The zip holds exactly the program, its help and the read-me (CRLF and a byte
# order mark, so Notepad shows its Chinese on any Windows).
add_custom_command(
    OUTPUT ${ZIP_FILE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${PORTABLE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PORTABLE} ${PELLACOR_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Pellacor> ${HELP_FILE} ${PORTABLE}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/package/ReadMe.txt -DOUTPUT=${PORTABLE}/ReadMe.txt
            -DVERSION=${PROJECT_VERSION}
            -P ${CMAKE_SOURCE_DIR}/cmake/TextForWindows.cmake
    COMMAND ${CMAKE_COMMAND} -E rm -f ${ZIP_FILE}
    COMMAND ${CMAKE_COMMAND} -E chdir ${PORTABLE}
            ${CMAKE_COMMAND} -E tar cf ${ZIP_FILE} --format=zip Pellacor.exe Pellacor.chm ReadMe.txt
    DEPENDS Pellacor ${HELP_FILE} ${CMAKE_SOURCE_DIR}/package/ReadMe.txt
            ${CMAKE_SOURCE_DIR}/cmake/TextForWindows.cmake
    COMMENT "Making the portable zip Pellacor-${PROJECT_VERSION}.zip"
    VERBATIM)

add_custom_target(packages DEPENDS ${SETUP_FILE} ${ZIP_FILE})
