# One call per library, test and program; everything common to them lives here.
include(GenerateExportHeader)

set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)
set(CMAKE_INCLUDE_CURRENT_DIR ON)

set(QUORIN_WARNINGS -Wall -Wextra -Wpedantic)
set(QUORIN_TEST_ROOT ${CMAKE_BINARY_DIR}/test-home)

if(QUORIN_SANITIZE)
  set(QUORIN_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${QUORIN_SANITIZE_FLAGS})
  add_link_options(${QUORIN_SANITIZE_FLAGS})
endif()

# Everything is instrumented for coverage; only the fuzz targets themselves link libFuzzer's main.
if(QUORIN_FUZZ)
  set(QUORIN_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(-fsanitize=fuzzer-no-link ${QUORIN_FUZZ_FLAGS})
  add_link_options(${QUORIN_FUZZ_FLAGS})
endif()

function(_quorin_common target)
  target_compile_options(${target} PRIVATE ${QUORIN_WARNINGS})
  target_compile_definitions(${target} PRIVATE
    QUORIN_SOURCE_ROOT="${PROJECT_SOURCE_DIR}/"
    QT_NO_CAST_FROM_BYTEARRAY QT_USE_QSTRINGBUILDER)
endfunction()

# quorin_add_library(Name SOURCES ... LINKS ...): a shared library with its export header
# <name>_export.h and its folder on the include path of everyone who links it.
function(quorin_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  generate_export_header(${name})
  target_include_directories(${name} PUBLIC
    ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  _quorin_common(${name})
endfunction()

# quorin_add_page(Name SOURCES ... LINKS ...): a page library. Everything a page needs comes
# with it (widgets, the hub, its Attribute part, the pictures); its forms sit in widget/ and
# dialog/. What it links besides is its own business: PRIVATE, so whoever holds the page sees
# the page and the hub, not the widgets it is made of. HIDDEN keeps every class without the
# export macro out of the library's symbols: two libraries loaded together may then hold
# classes of the same name without the dynamic linker binding one's calls to the other's.
function(quorin_add_page name)
  cmake_parse_arguments(ARG "HIDDEN" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  generate_export_header(${name})
  set(forms ${CMAKE_CURRENT_SOURCE_DIR}/widget ${CMAKE_CURRENT_SOURCE_DIR}/dialog)
  target_include_directories(${name} PUBLIC
    ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR} ${forms})
  set_target_properties(${name} PROPERTIES AUTOUIC_SEARCH_PATHS "${forms}")
  target_link_libraries(${name} PUBLIC Qt5::Widgets Attribute CoreHub Resource)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  if(ARG_HIDDEN)
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endif()
  _quorin_common(${name})
endfunction()

# quorin_add_program(Name SOURCES ... LINKS ...)
function(quorin_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  _quorin_common(${name})
endfunction()

# quorin_add_fuzzer(name SOURCES ... LINKS ...): the libFuzzer target fuzz_<name>, one of the
# targets scripts/fuzz runs over tests/fuzz/<name>/corpus.
function(quorin_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(fuzz_${name} ${ARG_SOURCES})
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_LINKS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  _quorin_common(fuzz_${name})
  add_dependencies(fuzzers fuzz_${name})
endfunction()

# quorin_add_test(tst_name [XVFB] SOURCES ... LINKS ...): a QtTest executable run by CTest
# offscreen, with HOME and the XDG folders of its own, so QStandardPaths never touches a real
# home. XVFB: on an X server of its own instead (scripts/with-xvfb), for what only a real display
# shows, and with no GL integration: nothing here draws with OpenGL, and Mesa's driver, loaded
# for every window otherwise, leaves allocations that the leak check reports on some processors.
# The programs these tests start inherit it.
function(quorin_add_test name)
  cmake_parse_arguments(ARG "XVFB" "TIMEOUT" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LINKS})
  _quorin_common(${name})
  set(home ${QUORIN_TEST_ROOT}/${name})
  set(platform offscreen)
  set(display "")
  if(ARG_XVFB)
    set(platform xcb)
    set(display "QT_XCB_GL_INTEGRATION=none;")
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    FIXTURES_REQUIRED test_homes
    ENVIRONMENT "QT_QPA_PLATFORM=${platform};HOME=${home};${display}XDG_DATA_HOME=${home}/data;XDG_CONFIG_HOME=${home}/config;XDG_CACHE_HOME=${home}/cache;XDG_RUNTIME_DIR=${home}/runtime;QUORIN_CLOUD_URL=;QUORIN_ADAPTER_PORT=")
  set_property(GLOBAL APPEND PROPERTY QUORIN_TEST_HOMES ${home})
endfunction()

# Called once after every test is declared: fresh, empty homes before each ctest run.
function(quorin_finish_tests)
  get_property(homes GLOBAL PROPERTY QUORIN_TEST_HOMES)
  add_test(NAME prepare_test_homes
    COMMAND ${CMAKE_COMMAND} -DROOT=${QUORIN_TEST_ROOT} "-DHOMES=${homes}"
            -P ${PROJECT_SOURCE_DIR}/cmake/prepare_test_homes.cmake)
  set_tests_properties(prepare_test_homes PROPERTIES FIXTURES_SETUP test_homes)
endfunction()
