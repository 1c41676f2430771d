# A fuzzing build: every library of the program is compiled with the fuzzer's
# coverage instrumentation and with AddressSanitizer and UndefinedBehavior-
# Sanitizer, so that the readers and all the code they feed report what goes
# wrong. Only the targets in fuzz/ link the fuzzer's own main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "RODO_BUILD_FUZZ needs clang (e.g. CXX=clang++); no fuzz targets are built")
  return()
endif()

set(RODO_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(-fsanitize=fuzzer-no-link ${RODO_SANITIZERS} -fno-omit-frame-pointer)
add_link_options(${RODO_SANITIZERS})
