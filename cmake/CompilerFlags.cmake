# Every target gets the same floating-point contract so that the native,
# win32 and win64 builds produce identical pixels: no contraction into FMA,
# no fast-math, and SSE2 arithmetic instead of x87 on i686.
add_compile_options(-Wall -Wextra -Wpedantic -ffp-contract=off -fno-fast-math)
if(VELLISTO_WERROR)
  add_compile_options(-Werror)
endif()

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i686|i386|x86)$")
  # -mstackrealign: hosts built with MSVC call in with 4-byte stack alignment.
  add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
endif()

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Static runtime: the executables and the module run under Wine (and on
  # hosts) without extra DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
