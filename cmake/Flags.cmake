# Compiler settings shared by every target.  Results must be bit-reproducible: no fused
# multiply-add contraction, no fast-math, no tuning for the build machine.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_compile_options(-ffp-contract=off -fno-fast-math -Wall -Wextra -Wno-unused-parameter)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # The x87 unit rounds to extended precision; SSE2 gives the same doubles as the 64-bit build.
    add_compile_options(-msse2 -mfpmath=sse)
endif()

if(WIN32)
    # One file for the user: no libstdc++, libgcc or winpthread DLLs beside the plug-in.
    add_link_options(-static -static-libgcc -static-libstdc++)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

if(DRIFTLACE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
    # Paths hashed relative to the source folder, and not the build folder with debug info: every
    # clone then shares the cached objects (CI builds a fresh clone each time, four times over).
    set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=true ${CCACHE_PROGRAM})
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()
