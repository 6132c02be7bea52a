# Run as: cmake -DSOURCE=help -DSTAGE=dir -DOUTPUT=Pellacor.chm -DCHMCMD=chmcmd -DICONV=iconv -P BuildHelp.cmake
# Converts every file of SOURCE from UTF-8 to GBK into STAGE, compiles the
# project Pellacor.hhp there and copies the result to OUTPUT. Any failure
# (text GBK cannot hold, a compiler error) fails the build.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(GLOB names RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(name ${names})
    execute_process(COMMAND ${ICONV} -f UTF-8 -t GBK ${SOURCE}/${name}
                    OUTPUT_FILE ${STAGE}/${name} RESULT_VARIABLE failed ERROR_VARIABLE why)
    if(failed)
        message(FATAL_ERROR "help/${name}: not UTF-8 text that GBK can hold: ${why}")
    endif()
endforeach()
execute_process(COMMAND ${CHMCMD} Pellacor.hhp WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed OR said MATCHES "[Ee]rror|[Ww]arning")
    message(FATAL_ERROR "chmcmd could not compile the help file:\n${said}")
endif()
file(COPY_FILE ${STAGE}/Pellacor.chm ${OUTPUT})
