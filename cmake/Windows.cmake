# The plug-in DLL: exports, filter run, window layer and resources over the portable core.
file(GLOB DRIFTLACE_WINDOW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/win32/*.cpp)
set(DRIFTLACE_RUN_SOURCES
    ${CMAKE_SOURCE_DIR}/host/win32/Exports.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/RunFilter.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/FailureBoxWin32.cpp)

# Everything of the plug-in but its exports, so that Windows tests can link the same code.
add_library(driftlace_windows STATIC
    ${CMAKE_SOURCE_DIR}/host/win32/RunFilter.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/Application.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/MessageLoop.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/RunProbe.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/FailureBoxWin32.cpp
    ${DRIFTLACE_WINDOW_SOURCES})
target_link_libraries(driftlace_windows PUBLIC driftlace_core comctl32 comdlg32 shell32 gdi32 user32)

add_library(Driftlace SHARED
    ${CMAKE_SOURCE_DIR}/host/win32/Exports.cpp
    ${CMAKE_SOURCE_DIR}/host/win32/Driftlace.def
    ${CMAKE_SOURCE_DIR}/resources/Driftlace.rc
    ${DRIFTLACE_RESOURCE_STRINGS})
set_target_properties(Driftlace PROPERTIES PREFIX "" OUTPUT_NAME Driftlace
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
target_link_libraries(Driftlace PRIVATE driftlace_windows)
target_include_directories(Driftlace PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/Driftlace.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/StringTable.inc;${CMAKE_SOURCE_DIR}/resources/ResourceIds.h")
