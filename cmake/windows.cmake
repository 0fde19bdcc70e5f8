# Windows build: the program and the Windows tests (run under Wine).
enable_language(RC)

set(ZV_WIN_LIBS user32 gdi32 shell32 advapi32 comdlg32 comctl32 winmm msimg32)
set(ZV_STATIC_LINK -static -static-libgcc -static-libstdc++)

file(GLOB ZV_WIN32_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/win32/*.cpp")
set(ZV_ENTRY "${CMAKE_SOURCE_DIR}/app/main_win.cpp")
list(REMOVE_ITEM ZV_WIN_SOURCES "${ZV_ENTRY}")

add_library(zvenoks_win STATIC ${ZV_WIN_SOURCES} ${ZV_WIN32_SOURCES})
target_link_libraries(zvenoks_win PUBLIC zvenoks_logic ${ZV_WIN_LIBS})
target_compile_definitions(zvenoks_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

add_executable(Zvenoks WIN32 "${ZV_ENTRY}" "${CMAKE_SOURCE_DIR}/resources/zvenoks.rc")
target_link_libraries(Zvenoks PRIVATE zvenoks_win)
target_link_options(Zvenoks PRIVATE ${ZV_STATIC_LINK} -s)
set_target_properties(Zvenoks PROPERTIES OUTPUT_NAME Zvenoks)
set_source_files_properties("${CMAKE_SOURCE_DIR}/resources/zvenoks.rc" PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/zvenoks.manifest")

# GoogleTest, cross-built from the machine's sources.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

file(GLOB ZV_WIN_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/win/*.cpp")
add_executable(win_tests ${ZV_WIN_TESTS} "${CMAKE_SOURCE_DIR}/resources/zvenoks.rc")
target_link_libraries(win_tests PRIVATE zvenoks_win gtest gmock)
target_link_options(win_tests PRIVATE ${ZV_STATIC_LINK})
