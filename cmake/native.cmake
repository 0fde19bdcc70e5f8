# Native build: the logic and its unit tests.
find_package(GTest REQUIRED)
enable_testing()

file(GLOB ZV_UNIT_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/unit/*.cpp")
add_executable(unit_tests ${ZV_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE zvenoks_logic GTest::gtest GTest::gmock GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE ZV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME unit_tests COMMAND unit_tests)
