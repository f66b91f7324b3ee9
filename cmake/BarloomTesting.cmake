# barloom_add_test(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
# One GoogleTest executable = one CTest test (starting Wine once per case would cost 5x).
# Windows test executables run under Wine through CMAKE_CROSSCOMPILING_EMULATOR, inside the
# "wine" fixture that keeps one wineserver up for the whole run.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(BARLOOM_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix used by the tests")
  set(BARLOOM_WINE_ENV WINEPREFIX=${BARLOOM_WINEPREFIX} WINEARCH=win64 WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=")
  # Every test command becomes "/usr/bin/env WINE...=... /usr/bin/wine <exe>", with or without presets.
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env ${BARLOOM_WINE_ENV} ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(BARLOOM_WINE_RUN /usr/bin/env ${BARLOOM_WINE_ENV} /usr/bin/wine)
  if(BUILD_TESTING)
    set(wine_fixture /usr/bin/env ${BARLOOM_WINE_ENV} sh ${PROJECT_SOURCE_DIR}/scripts/wine-fixture.sh)
    add_test(NAME wine.up COMMAND ${wine_fixture} up)
    add_test(NAME wine.down COMMAND ${wine_fixture} down)
    set_tests_properties(wine.up PROPERTIES FIXTURES_SETUP wine TIMEOUT 240)
    set_tests_properties(wine.down PROPERTIES FIXTURES_CLEANUP wine)
  endif()
endif()

# Every test executable includes GoogleTest and much of the standard library: one precompiled
# header, compiled once and reused by all, with the definitions they all share.
set(BARLOOM_TEST_DEFINITIONS BARLOOM_SOURCE_DIR="${PROJECT_SOURCE_DIR}" BARLOOM_DIST_DIR="${BARLOOM_DIST_DIR}")
if(BUILD_TESTING)
  add_library(barloom_test_pch OBJECT ${PROJECT_SOURCE_DIR}/tests/support/test_pch.cpp)
  target_link_libraries(barloom_test_pch PRIVATE GTest::gtest)
  target_compile_definitions(barloom_test_pch PRIVATE ${BARLOOM_TEST_DEFINITIONS})
  target_precompile_headers(barloom_test_pch PRIVATE
    <gtest/gtest.h> <algorithm> <filesystem> <functional> <map> <optional> <sstream> <string> <string_view>
    <vector>)
endif()

function(barloom_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${ARG_NAME} PRIVATE ${BARLOOM_TEST_DEFINITIONS})
  target_precompile_headers(${ARG_NAME} REUSE_FROM barloom_test_pch)
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} --gtest_brief=1)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set_tests_properties(${ARG_NAME} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()
