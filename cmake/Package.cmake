# Builds the release archive: the plug-in, its preset catalogue, the manual and the read-me,
# laid out as they go into the host's filter folder.
#   cmake -DDLL=... -DSOURCE=... -DSTAGE=... -DARCHIVE=... -P Package.cmake
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/preset")
file(COPY "${DLL}" DESTINATION "${STAGE}")
file(COPY "${SOURCE}/preset/preset.spr" DESTINATION "${STAGE}/preset")
file(COPY "${SOURCE}/resources/Driftlace.txt" DESTINATION "${STAGE}")
set(contents Driftlace.dll preset Driftlace.txt)
if(EXISTS "${SOURCE}/help/index.html")
    file(COPY "${SOURCE}/help" DESTINATION "${STAGE}")
    list(APPEND contents help)
endif()
file(REMOVE "${ARCHIVE}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ARCHIVE}" --format=zip ${contents}
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the archive ${ARCHIVE} could not be written")
endif()
