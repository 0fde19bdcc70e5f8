# Windows build: the program and the Windows tests (run under Wine).
enable_language(RC)

# ole32 for COM, in which WIC (windowscodecs.dll) decodes the skin. What is
# needed only now and then (windowscodecs, oleacc, oleaut32, comdlg32, winmm,
# comctl32)
# is loaded from the system folder at run time, not imported: each DLL a
# program imports stays in its memory for good.
set(ZV_WIN_LIBS user32 gdi32 shell32 advapi32 ole32)
set(ZV_STATIC_LINK -static -static-libgcc -static-libstdc++)
# Address space layout randomisation and no code run from data pages.
set(ZV_HARDENING -Wl,--dynamicbase -Wl,--nxcompat)

# The window toolkit, and the adapters: Windows' side of the logic's interfaces.
file(GLOB ZV_WIN32_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/win32/*.cpp"
  "${CMAKE_SOURCE_DIR}/adapters/*.cpp")
set(ZV_ENTRY "${CMAKE_SOURCE_DIR}/app/main_win.cpp")
list(REMOVE_ITEM ZV_WIN_SOURCES "${ZV_ENTRY}")

add_library(zvenoks_win STATIC ${ZV_WIN_SOURCES} ${ZV_WIN32_SOURCES})
target_link_libraries(zvenoks_win PUBLIC zvenoks_logic ${ZV_WIN_LIBS})
target_compile_definitions(zvenoks_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Each function in its own section, so that the linker can leave out the unused.
target_compile_options(zvenoks_logic PRIVATE -ffunction-sections -fdata-sections)
target_compile_options(zvenoks_win PRIVATE -ffunction-sections -fdata-sections)

set(ZV_RC "${CMAKE_SOURCE_DIR}/resources/zvenoks.rc")
set_source_files_properties("${ZV_RC}" PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/zvenoks.manifest;${CMAKE_SOURCE_DIR}/resources/skin.png;${CMAKE_SOURCE_DIR}/resources/skin2x.png;${CMAKE_SOURCE_DIR}/resources/zvenoks.ico;${CMAKE_SOURCE_DIR}/resources/about_image.ico;${CMAKE_SOURCE_DIR}/resources/about_window.ico")

add_executable(Zvenoks WIN32 "${ZV_ENTRY}" "${ZV_RC}")
target_link_libraries(Zvenoks PRIVATE zvenoks_win)
target_link_options(Zvenoks PRIVATE ${ZV_STATIC_LINK} ${ZV_HARDENING} -Wl,--gc-sections -s)
set_target_properties(Zvenoks PROPERTIES OUTPUT_NAME Zvenoks)

# GoogleTest, cross-built from the machine's sources.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

file(GLOB ZV_WIN_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/win/*.cpp")
add_executable(win_tests ${ZV_WIN_TESTS} "${ZV_RC}")
# winmm for the tests alone: they record what the program plays; oleacc, as
# they ask for the accessible objects as a screen reader does.
target_link_libraries(win_tests PRIVATE zvenoks_win gtest gmock winmm oleacc oleaut32)
target_link_options(win_tests PRIVATE ${ZV_STATIC_LINK} ${ZV_HARDENING})
# The win tests compare the decoded skin with the committed BMP.
target_compile_definitions(win_tests PRIVATE ZV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
