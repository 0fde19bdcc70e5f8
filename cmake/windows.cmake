# Windows build: the program and the Windows tests (run under Wine).
enable_language(RC)

set(ZV_WIN_LIBS user32 gdi32 shell32 advapi32 comdlg32 comctl32)
set(ZV_STATIC_LINK -static -static-libgcc -static-libstdc++)
# Address space layout randomisation and no code run from data pages.
set(ZV_HARDENING -Wl,--dynamicbase -Wl,--nxcompat)

file(GLOB ZV_WIN32_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/win32/*.cpp")
set(ZV_ENTRY "${CMAKE_SOURCE_DIR}/app/main_win.cpp")
list(REMOVE_ITEM ZV_WIN_SOURCES "${ZV_ENTRY}")

add_library(zvenoks_win STATIC ${ZV_WIN_SOURCES} ${ZV_WIN32_SOURCES})
target_link_libraries(zvenoks_win PUBLIC zvenoks_logic ${ZV_WIN_LIBS})
target_compile_definitions(zvenoks_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Each function in its own section, so that the linker can leave out the unused.
target_compile_options(zvenoks_logic PRIVATE -ffunction-sections -fdata-sections)
target_compile_options(zvenoks_win PRIVATE -ffunction-sections -fdata-sections)

# The skin goes into the resources packed: the BMP alone is 1.4 MB.
set(ZV_SKIN_PACKED "${CMAKE_BINARY_DIR}/skin.zvsk")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT "${ZV_SKIN_PACKED}"
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tools/pack_skin.py"
          "${CMAKE_SOURCE_DIR}/resources/skin.bmp" "${ZV_SKIN_PACKED}"
  DEPENDS "${CMAKE_SOURCE_DIR}/tools/pack_skin.py" "${CMAKE_SOURCE_DIR}/resources/skin.bmp"
  COMMENT "Packing the skin")
add_custom_target(zvenoks_skin DEPENDS "${ZV_SKIN_PACKED}")
set(ZV_RC "${CMAKE_SOURCE_DIR}/resources/zvenoks.rc")
set_source_files_properties("${ZV_RC}" PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/zvenoks.manifest;${ZV_SKIN_PACKED}")

add_executable(Zvenoks WIN32 "${ZV_ENTRY}" "${ZV_RC}")
target_link_libraries(Zvenoks PRIVATE zvenoks_win)
target_link_options(Zvenoks PRIVATE ${ZV_STATIC_LINK} ${ZV_HARDENING} -Wl,--gc-sections -s)
# windres finds skin.zvsk through the include path.
target_include_directories(Zvenoks PRIVATE "${CMAKE_BINARY_DIR}")
add_dependencies(Zvenoks zvenoks_skin)
set_target_properties(Zvenoks PROPERTIES OUTPUT_NAME Zvenoks)

# GoogleTest, cross-built from the machine's sources.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

file(GLOB ZV_WIN_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/win/*.cpp")
add_executable(win_tests ${ZV_WIN_TESTS} "${ZV_RC}")
# winmm for the tests alone: they record what the program plays.
target_link_libraries(win_tests PRIVATE zvenoks_win gtest gmock winmm)
target_link_options(win_tests PRIVATE ${ZV_STATIC_LINK} ${ZV_HARDENING})
target_include_directories(win_tests PRIVATE "${CMAKE_BINARY_DIR}")
add_dependencies(win_tests zvenoks_skin)
