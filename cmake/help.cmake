# The help file Pellacor.chm, built beside Pellacor.exe. Its pages are written
# in UTF-8 (help/); a Chinese help file holds GBK pages, so they are converted
# first, then compiled by chmcmd (Debian fp-utils, installed by
# scripts/install-deps.sh).
find_program(CHMCMD chmcmd)
find_program(ICONV iconv)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
if(CHMCMD AND ICONV)
    set(HELP_FILE ${CMAKE_BINARY_DIR}/Pellacor.chm)
    add_custom_command(
        OUTPUT ${HELP_FILE}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/help -DSTAGE=${CMAKE_BINARY_DIR}/help
                -DOUTPUT=${HELP_FILE} -DCHMCMD=${CHMCMD} -DICONV=${ICONV}
                -P ${CMAKE_SOURCE_DIR}/cmake/BuildHelp.cmake
        DEPENDS ${HELP_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/BuildHelp.cmake
        COMMENT "Compiling the help file Pellacor.chm"
        VERBATIM)
    add_custom_target(help_file ALL DEPENDS ${HELP_FILE})
    add_dependencies(Pellacor help_file)
else()
    message(WARNING "chmcmd or iconv not found: Pellacor.chm is not built")
endif()
