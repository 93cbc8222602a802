# Instrumented builds, each in a build folder of its own (scripts/test-sanitizers.sh, scripts/fuzz.sh).
#
# RELAKIN_SANITIZE: every library, program and test with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer; the first report stops the program.
# RELAKIN_FUZZ (clang): the libraries instrumented for libFuzzer, with the same sanitizers, and one
# fuzzing program per tests/fuzz/*_fuzz.cpp.
set(relakin_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)

if(RELAKIN_SANITIZE)
  add_compile_options(${relakin_sanitizers} -fno-omit-frame-pointer)
  add_link_options(${relakin_sanitizers})
endif()

if(RELAKIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "RELAKIN_FUZZ needs clang (libFuzzer): configure with CXX=clang++.")
  endif()
  add_compile_options(${relakin_sanitizers} -fsanitize=fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(${relakin_sanitizers})
endif()
