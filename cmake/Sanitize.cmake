# Instrumented builds.
#
# QUILLGRID_SANITIZE=ON compiles and links everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; the first undefined behaviour ends the program, so a test that
# meets one fails instead of printing a warning that nobody reads.
#
# QUILLGRID_FUZZ=ON (with clang) adds libFuzzer's coverage instrumentation to every library,
# so that the fuzz targets under fuzz/ see the paths they take through the core.

option(QUILLGRID_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUILLGRID_FUZZ "Build the libFuzzer targets under fuzz/ (needs clang)" OFF)

if(QUILLGRID_SANITIZE)
  set(_qg_sanitize -fsanitize=address,undefined -fno-omit-frame-pointer
                   -fno-sanitize-recover=undefined)
  add_compile_options(${_qg_sanitize})
  add_link_options(${_qg_sanitize})
endif()

if(QUILLGRID_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILLGRID_FUZZ needs clang (for example -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# QUILLGRID_ODR_CHECK=ON (with GCC) links with link-time optimisation, where the linker sees
# every definition of a type: two different classes of one name in two files (which the
# optimiser may silently merge, so that one file runs the other's destructor) fail the build.
option(QUILLGRID_ODR_CHECK "Link with link-time optimisation and fail on one-definition-rule violations" OFF)
if(QUILLGRID_ODR_CHECK)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  add_compile_options(-Wodr)
  add_link_options(-Wodr -Werror=odr -Werror=lto-type-mismatch)
endif()
