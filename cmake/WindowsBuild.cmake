# The Windows build (mingw-w64, see cmake/mingw-w64-x86_64.cmake and
# scripts/build-windows.sh): the core (platform layer, settings, listing engine),
# pelmora-list.exe and pelmora-tree.exe, and the core tests that run under Wine. The window,
# ChoiView's displays, the plug-ins and the network browser are not part of it.
if(PELMORA_BUILD_GUI)
  message(STATUS "Windows build: the window is not built (PELMORA_BUILD_GUI ignored)")
endif()

# Wide-character Win32 API throughout; no min/max macros over std::min and std::max.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

add_library(pelmora_core STATIC)
target_include_directories(pelmora_core PUBLIC ${CMAKE_SOURCE_DIR})
pelmora_warnings(pelmora_core)
set(PELMORA_PLATFORM_DIR win32)

add_subdirectory(i18n)
add_subdirectory(platform)
add_subdirectory(settings)
add_subdirectory(listing)
add_subdirectory(common)
# What pelmora-list and pelmora-tree need of the tools: their Qt-free parts (GUI is off).
foreach(tool tree hexview aclview launch help render)
  add_subdirectory(tools/${tool})
endforeach()
# ChoiView's decisions about a file, without its displays and their libraries.
target_sources(pelmora_core PRIVATE
  tools/choiview/viewer_kind.cpp
  tools/choiview/viewer_file_names.cpp
  tools/choiview/viewable_file.cpp
  tools/choiview/browser_route.cpp
  tools/choiview/plugin_choice.cpp
  tools/choiview/binary_file_check.cpp
  tools/choiview/bitmap_file_check.cpp
)
add_subdirectory(app)
# Static programs: nothing to ship beside them but each other.
foreach(program pelmora-list pelmora-tree)
  target_link_options(${program} PRIVATE -static)
endforeach()

# libzip and lhasa as scripts/build-windows.sh built them; zlib from the mingw sysroot.
find_path(LIBZIP_INCLUDE_DIR zip.h REQUIRED)
find_library(LIBZIP_LIBRARY NAMES libzip.a zip REQUIRED)
find_path(LHASA_INCLUDE_DIR lha_reader.h PATH_SUFFIXES liblhasa-1.0 REQUIRED)
find_library(LHASA_LIBRARY NAMES liblhasa.a lhasa REQUIRED)
find_library(ZLIB_STATIC_LIBRARY NAMES libz.a REQUIRED)
target_include_directories(pelmora_core SYSTEM PUBLIC ${LIBZIP_INCLUDE_DIR} ${LHASA_INCLUDE_DIR})
# A static libzip must not ask for __declspec(dllimport).
target_compile_definitions(pelmora_core PUBLIC ZIP_STATIC)
target_link_libraries(pelmora_core PUBLIC ${LIBZIP_LIBRARY} ${LHASA_LIBRARY} ${ZLIB_STATIC_LIBRARY})
# The Win32 libraries the platform layer calls.
target_link_libraries(pelmora_core PUBLIC shlwapi advapi32 shell32 ole32 bcrypt)

if(PELMORA_BUILD_TESTS)
  enable_testing()
  # GoogleTest from its Debian source: there is no mingw build of it.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  # pelmora_windows_test(NAME SOURCES... [SKIP gtest-negative-filter])
  function(pelmora_windows_test name)
    cmake_parse_arguments(PARSE_ARGV 1 test "" "SKIP" "")
    add_executable(${name} ${test_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE pelmora_core GTest::gtest GTest::gtest_main GTest::gmock)
    pelmora_warnings(${name})
    set(filter)
    if(test_SKIP)
      set(filter TEST_FILTER "-${test_SKIP}")
    endif()
    # Listed when the tests run (under Wine), not at build time.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 ${filter}
                         PROPERTIES LABELS core TIMEOUT 120)
  endfunction()
  # The core tests that need no POSIX facility.
  pelmora_windows_test(smb_url_tests tests/platform/smb_url_test.cpp)
  pelmora_windows_test(native_path_tests tests/platform/native_path_test.cpp)
  pelmora_windows_test(wildcard_pattern_tests tests/listing/text/wildcard_pattern_test.cpp)
  pelmora_windows_test(dock_chase_tests tests/common/dock_chase_test.cpp)
  pelmora_windows_test(settings_tests
    tests/settings/layout_token_test.cpp
    tests/settings/key_table_test.cpp
  )
  pelmora_windows_test(text_services_tests tests/platform/text_collation_test.cpp
                                            tests/platform/local_time_test.cpp
                                            tests/platform/code_pages_test.cpp)
  # Left out: names that are not UTF-8, which Windows cannot have (its comparison gives U+FFFD
  # no weight), and the time a cancel takes to be seen, which measures Wine's speed.
  pelmora_windows_test(text_order_tests tests/listing/text/text_comparison_test.cpp
                                        tests/listing/text/text_sort_order_test.cpp
                                        tests/listing/text/array_sort_test.cpp
    SKIP "ArraySortString.InvalidUtf8IsKept:*.CancelDuringALongSortIsSeenAtOnce")
  pelmora_windows_test(windows_platform_tests tests/platform/win32/wide_path_test.cpp
                                               tests/platform/win32/file_system_win32_test.cpp
                                               tests/platform/win32/process_win32_test.cpp
                                               tests/platform/win32/private_file_win32_test.cpp
                                               tests/platform/win32/security_win32_test.cpp)
endif()
