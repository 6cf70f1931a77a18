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

add_subdirectory(i18n)
add_subdirectory(platform)
add_subdirectory(settings)
add_subdirectory(listing)
add_subdirectory(common)

# Not yet built for Windows: the text order (ICU's collator and collation keys), the code
# pages of archive member names (ICU's converters), and the two users of localtime_r. They
# wait for the text collation and local time services; until then the listing engine is
# compiled (so that it keeps building) but no program links it.
set(PELMORA_WINDOWS_PENDING
  listing/text/japanese_collator.cpp
  listing/text/ascii_ranks.cpp
  listing/text/collation_keys.cpp
  listing/text/text_comparison.cpp
  listing/text/text_sort_order.cpp
  listing/archive/member_names.cpp
  listing/archive/zip_listing.cpp
  listing/archive/lzh_listing.cpp
  listing/engine/date_text.cpp
)
get_target_property(core_sources pelmora_core SOURCES)
foreach(pending IN LISTS PELMORA_WINDOWS_PENDING)
  list(REMOVE_ITEM core_sources ${CMAKE_SOURCE_DIR}/${pending})
endforeach()
set_property(TARGET pelmora_core PROPERTY SOURCES ${core_sources})

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
  pelmora_windows_test(wildcard_pattern_tests tests/listing/text/wildcard_pattern_test.cpp)
  pelmora_windows_test(dock_chase_tests tests/common/dock_chase_test.cpp)
  pelmora_windows_test(settings_tests
    tests/settings/layout_token_test.cpp
    tests/settings/key_table_test.cpp
  )
  pelmora_windows_test(windows_platform_tests tests/platform/win32/wide_path_test.cpp
                                               tests/platform/win32/file_system_win32_test.cpp
                                               tests/platform/win32/process_win32_test.cpp)
endif()
