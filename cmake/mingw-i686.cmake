# Cross-compiles the 32-bit Windows build, the one that ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Doubles in SSE2 registers, as on every 64-bit build: the x87 unit's wider
# intermediates would decide the picture-size rules' exact boundaries (a fifth
# of the screen) differently from the builds that are tested beside it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
