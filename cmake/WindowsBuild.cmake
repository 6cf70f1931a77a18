# The Windows build (mingw-w64, see cmake/mingw-w64-x86_64.cmake and
# scripts/build-windows.sh): the core's platform layer and settings, and their tests, which
# run under Wine. The window, ChoiView's displays, the plug-ins and the network browser are
# not part of it. The listing engine joins once the text order and local time are services
# with a Windows implementation (its collation uses ICU, which has no mingw build here), and
# pelmora-list.exe and pelmora-tree.exe with it.
if(PELMORA_BUILD_GUI)
  message(STATUS "Windows build: the window is not built (PELMORA_BUILD_GUI ignored)")
endif()

# Wide-character Win32 API throughout; no min/max macros over std::min and std::max.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

add_library(pelmora_core STATIC)
target_include_directories(pelmora_core PUBLIC ${CMAKE_SOURCE_DIR})
pelmora_warnings(pelmora_core)
set(PELMORA_PLATFORM_DIR win32)

add_subdirectory(platform)
add_subdirectory(settings)
# The Win32 libraries the platform layer calls.
target_link_libraries(pelmora_core PUBLIC shlwapi advapi32 shell32)

if(PELMORA_BUILD_TESTS)
  enable_testing()
  # GoogleTest from its Debian source: there is no mingw build of it.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  function(pelmora_windows_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE pelmora_core GTest::gtest GTest::gtest_main GTest::gmock)
    pelmora_warnings(${name})
    # Listed when the tests run (under Wine), not at build time.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS core TIMEOUT 120)
  endfunction()
  # The core tests that need no POSIX facility.
  pelmora_windows_test(smb_url_tests tests/platform/smb_url_test.cpp)
  pelmora_windows_test(native_path_tests tests/platform/native_path_test.cpp)
  pelmora_windows_test(settings_tests
    tests/settings/layout_token_test.cpp
    tests/settings/key_table_test.cpp
  )
  pelmora_windows_test(windows_platform_tests tests/platform/win32/wide_path_test.cpp
                                               tests/platform/win32/file_system_win32_test.cpp)
endif()
