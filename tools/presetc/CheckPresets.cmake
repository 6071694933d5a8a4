# The committed preset/preset.spr must be exactly what presetc makes of preset/presets.txt:
# cross builds ship the committed file.  Regenerate it with
#   build/<dir>/tools/presetc preset/presets.txt preset/preset.spr
execute_process(COMMAND ${PRESETC} ${SOURCE} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "presetc failed on ${SOURCE}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED} RESULT_VARIABLE different)
if(NOT different EQUAL 0)
    message(FATAL_ERROR "${COMMITTED} is not what presetc makes of ${SOURCE}; regenerate it")
endif()
