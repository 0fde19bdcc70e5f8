# Fuzz build (clang only): the logic instrumented for libFuzzer's coverage,
# and one fuzzer per tests/fuzz/*_fuzz.cpp, all under ASan and UBSan.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "ZV_FUZZ needs clang: configure with the preset fuzz")
endif()

# No recovery: a UBSan report must stop the run so libFuzzer keeps the input.
set(ZV_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(zvenoks_logic PRIVATE ${ZV_FUZZ_SANITIZERS} -fsanitize=fuzzer-no-link)

file(GLOB ZV_FUZZERS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp")
foreach(src IN LISTS ZV_FUZZERS)
  get_filename_component(name "${src}" NAME_WE)
  add_executable(${name} "${src}")
  target_compile_options(${name} PRIVATE ${ZV_FUZZ_SANITIZERS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE ${ZV_FUZZ_SANITIZERS} -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE zvenoks_logic)
endforeach()
