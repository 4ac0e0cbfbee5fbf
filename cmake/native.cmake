# Native tree: the platform-free code and its tests under AddressSanitizer and
# UBSan; it also registers the Wine suites of the cross tree so that one ctest
# run covers everything.
find_package(GTest REQUIRED)
find_package(nlohmann_json REQUIRED)
enable_testing()

set(CORVANE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Wpedantic ${CORVANE_SANITIZE})
add_link_options(${CORVANE_SANITIZE})

add_library(corvane_core STATIC ${CORVANE_CORE_SOURCES})
target_include_directories(corvane_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(corvane_core PUBLIC nlohmann_json::nlohmann_json)

add_executable(corvane_tests ${CORVANE_NATIVE_TESTS})
target_include_directories(corvane_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(corvane_tests PRIVATE corvane_core GTest::gtest_main GTest::gmock)
target_compile_definitions(corvane_tests PRIVATE CORVANE_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
add_test(NAME native COMMAND corvane_tests --gtest_brief=1)
# No source file includes a folder above its own layer.
add_test(NAME layers COMMAND ${CMAKE_SOURCE_DIR}/tests/layers/check_layers.sh)

# Suites of the cross tree, run under Wine in a private prefix and Xvfb. The
# session picks the build Wine runs here (scripts/wine_env.sh) and takes the
# test programs from its bin folder: build/win32 or build/win64.
set(CORVANE_CROSS_BUILDS ${CMAKE_SOURCE_DIR}/build CACHE PATH "folder of the cross trees win32 and win64")
set(WINE_SESSION ${CMAKE_SOURCE_DIR}/tests/wine/session.sh)
add_test(NAME wine_session_start COMMAND ${WINE_SESSION} start)
add_test(NAME wine_session_stop COMMAND ${WINE_SESSION} stop)
# The session script answers 77 only where no build can run here.
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine SKIP_RETURN_CODE 77)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

function(corvane_wine_test name exe)
  add_test(NAME ${name} COMMAND ${WINE_SESSION} exec ${exe} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900 SKIP_RETURN_CODE 77)
endfunction()
corvane_wine_test(wine_units corvane_win_tests.exe --gtest_brief=1)
# End-to-end runs drive the one main window on the shared display: never in parallel.
corvane_wine_test(wine_e2e corvane_e2e_tests.exe --gtest_brief=1)
set_tests_properties(wine_e2e PROPERTIES RUN_SERIAL TRUE)

# GLPI inventories checked against GLPI's own schema (tests/data/glpi): the
# writer's output for a fixture, a known-bad file the check must refuse, and
# the files the end-to-end run wrote under Wine into CORVANE_GLPI_KEEP.
set(CORVANE_GLPI_VALIDATE python3 ${CMAKE_SOURCE_DIR}/tests/data/glpi/validate.py)
add_executable(corvane_glpi_fixture ${CMAKE_SOURCE_DIR}/tests/report/glpi_fixture_main.cpp)
target_include_directories(corvane_glpi_fixture PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(corvane_glpi_fixture PRIVATE corvane_core)
add_test(NAME glpi_schema_fixture
         COMMAND sh -c "\"$1\" \"$2\" && python3 \"$3\" \"$2\"" glpi_schema_fixture
                 $<TARGET_FILE:corvane_glpi_fixture> ${CMAKE_BINARY_DIR}/glpi_fixture.json
                 ${CMAKE_SOURCE_DIR}/tests/data/glpi/validate.py)
add_test(NAME glpi_schema_catches
         COMMAND ${CORVANE_GLPI_VALIDATE} ${CMAKE_SOURCE_DIR}/tests/data/glpi/invalid-inventory.json)
set_tests_properties(glpi_schema_catches PROPERTIES WILL_FAIL TRUE)
set(CORVANE_GLPI_KEEP ${CMAKE_BINARY_DIR}/glpi_e2e)
set_tests_properties(wine_e2e PROPERTIES ENVIRONMENT CORVANE_GLPI_KEEP=${CORVANE_GLPI_KEEP})
add_test(NAME glpi_schema_e2e COMMAND ${CORVANE_GLPI_VALIDATE} --folder ${CORVANE_GLPI_KEEP})
set_tests_properties(glpi_schema_e2e PROPERTIES DEPENDS wine_e2e SKIP_RETURN_CODE 77)

# Each program imports nothing that the oldest Windows of its word size (as
# README names it) lacks, delay-loaded or not, and is the kind of file its
# name says; the check is shown to catch such imports on the test programs:
# the runtime's own GetTickCount64, which the Wine unit tests keep, and a
# delay-loaded one of the delay-load probe. Only the programs of the trees
# that were built are read.
set(CORVANE_IMPORTS ${CMAKE_SOURCE_DIR}/tests/imports)
add_test(NAME imports COMMAND ${CORVANE_IMPORTS}/check_programs.sh ${CORVANE_CROSS_BUILDS})
add_test(NAME imports_check_catches COMMAND ${CORVANE_IMPORTS}/check_programs.sh --catches ${CORVANE_CROSS_BUILDS})

# A new user's first run: ./run in a fresh clone of the committed HEAD, without
# a display. It builds the program Wine runs here from scratch and makes its own prefix and
# display, so it is slow but independent of the session above; skip it
# locally with "ctest -LE fresh_clone".
add_test(NAME fresh_clone_run COMMAND ${CMAKE_SOURCE_DIR}/tests/fresh_clone/run_check.sh)
set_tests_properties(fresh_clone_run PROPERTIES LABELS fresh_clone TIMEOUT 1800 SKIP_RETURN_CODE 77)

# corvane-decode: replays recorded device data through the decoders.
set(CORVANE_DECODE_MAIN ${CMAKE_SOURCE_DIR}/src/app/corvane_decode_main.cpp)
if(EXISTS ${CORVANE_DECODE_MAIN})
  add_executable(corvane-decode ${CORVANE_DECODE_MAIN})
  target_link_libraries(corvane-decode PRIVATE corvane_core)
  # The real binary on a recorded processor, and on a dump with a bad line.
  add_test(NAME decode_cpuid_dump
           COMMAND corvane-decode cpuid ${CMAKE_SOURCE_DIR}/tests/data/cpu/intel_pentium3_coppermine.dump)
  set_tests_properties(decode_cpuid_dump PROPERTIES
                       PASS_REGULAR_EXPRESSION "\"model_name\": \"Pentium III E\"")
  add_test(NAME decode_cpuid_malformed
           COMMAND corvane-decode cpuid ${CMAKE_SOURCE_DIR}/tests/data/cpu/malformed.dump)
  set_tests_properties(decode_cpuid_malformed PROPERTIES
                       PASS_REGULAR_EXPRESSION "malformed\\.dump: line 4: eax")
endif()
