# The system the build is for, as the names of the files that differ by
# system say it: Posix or Windows.
if(WIN32)
  set(TAVRIN_OS Windows)
else()
  set(TAVRIN_OS Posix)
endif()

# One INTERFACE target carries every compiler flag of the project; every
# library, program and test links it and nothing sets flags anywhere else.
add_library(tavrin_build_flags INTERFACE)
# Includes name their folder from the top of the tree: "show/ShowCheck.h".
target_include_directories(tavrin_build_flags INTERFACE ${PROJECT_SOURCE_DIR})

target_compile_options(tavrin_build_flags INTERFACE
  -Wall -Wextra -Wpedantic
  -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wdouble-promotion
  -Wformat=2 -Wimplicit-fallthrough -Wmisleading-indentation
  $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond -Wlogical-op>
)
target_compile_definitions(tavrin_build_flags INTERFACE
  QT_NO_KEYWORDS
  QT_NO_CAST_FROM_ASCII
)
if(WIN32)
  # Windows 10's API, in UTF-16 (the W calls), without min/max macros and
  # without the old winsock.h that windows.h would bring in.
  target_compile_definitions(tavrin_build_flags INTERFACE
    _WIN32_WINNT=0x0A00 UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
else()
  target_compile_definitions(tavrin_build_flags INTERFACE
    $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()

# Programs of the Windows build carry the compiler's runtime (libstdc++,
# libgcc, winpthread) in themselves: nothing to put beside them.
option(TAVRIN_STATIC_RUNTIME "Windows: link the compiler's runtime into every program" ON)
if(MINGW AND TAVRIN_STATIC_RUNTIME)
  target_link_options(tavrin_build_flags INTERFACE -static)
endif()

# AddressSanitizer and UndefinedBehaviorSanitizer, for the sanitizer build
# and the fuzz build alike.
set(sanitizers address,undefined)
set(sanitizer_compile_options -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
if(TAVRIN_SANITIZE)
  target_compile_options(tavrin_build_flags INTERFACE
    -fsanitize=${sanitizers} ${sanitizer_compile_options})
  target_link_options(tavrin_build_flags INTERFACE -fsanitize=${sanitizers})
endif()

# The fuzz build (clang only): every library carries libFuzzer's coverage
# hooks and both sanitizers; fuzz/ links the fuzzer itself.
if(TAVRIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TAVRIN_FUZZ needs clang (scripts/fuzz-access uses clang++-14)")
  endif()
  target_compile_options(tavrin_build_flags INTERFACE
    -fsanitize=fuzzer-no-link,${sanitizers} ${sanitizer_compile_options})
  target_link_options(tavrin_build_flags INTERFACE -fsanitize=${sanitizers})
endif()
