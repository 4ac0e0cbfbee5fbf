# Cross tree, 32-bit (corvane.exe) or 64-bit (corvane64.exe) after the
# toolchain: the program, its Wine test programs, all statically linked.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX WIN32_LEAN_AND_MEAN)
add_compile_options(-Wall -Wextra)
add_link_options(-static -static-libgcc -static-libstdc++)

# The libraries the programs import from. Those of CORVANE_DELAY_LOADED are
# delay-loaded (cmake/delay_load.cmake): each DLL is mapped on the first call
# of one of its functions. The loader then maps only kernel32, the C runtime
# and advapi32 before the program runs, so a start-up that refreshes has
# started its half-second clock sample before the user-interface libraries
# (and the desktop they wait for under Wine) load during it, and the painted
# start-up loads only what it calls.
set(CORVANE_DELAY_LOADED user32 gdi32 comctl32 ole32 oleaut32 shell32 shlwapi comdlg32 winspool netapi32 iphlpapi
    ws2_32 mpr winmm setupapi version)
include(${CMAKE_SOURCE_DIR}/cmake/delay_load.cmake)
set(CORVANE_WIN_LIBS uuid wbemuuid advapi32 ${CORVANE_DELAY_IMPORTS})

# Small programs: code for size, unreferenced functions and data dropped, no
# debugging sections (the symbol table stays: the import check finds the
# delay imports through it). Sections aligned to pages in the file as in
# memory, so that the loader can map the program's pages where they lie
# instead of copying them.
add_compile_options($<$<CONFIG:Release>:-Os> -ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections -Wl,--strip-debug -Wl,--file-alignment,4096 -Wl,--section-alignment,4096)

add_library(corvane_core STATIC ${CORVANE_CORE_SOURCES})
# nlohmann-json is header-only: expose just its folder, never the host's /usr/include.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/third_party)
file(CREATE_LINK /usr/include/nlohmann ${CMAKE_BINARY_DIR}/third_party/nlohmann SYMBOLIC)
target_include_directories(corvane_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/third_party)
# Linked into every program itself, not through a library, so that it binds
# before the import libraries do (see the file).
set(CORVANE_TICK_IMPORT ${CMAKE_SOURCE_DIR}/src/platform/tick_count_import_win.cpp)
list(REMOVE_ITEM CORVANE_WIN_SOURCES ${CORVANE_TICK_IMPORT})
add_library(corvane_win STATIC ${CORVANE_WIN_SOURCES})
target_link_libraries(corvane_win PUBLIC corvane_core ${CORVANE_WIN_LIBS})

# The two programs are named for their word size, and the manifest names the
# processor architecture the loader must match.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CORVANE_PROGRAM_SUFFIX 64)
  set(CORVANE_MANIFEST_ARCH amd64)
  set(CORVANE_WORD_SIZE 64-bit)
else()
  set(CORVANE_PROGRAM_SUFFIX "")
  set(CORVANE_MANIFEST_ARCH x86)
  set(CORVANE_WORD_SIZE 32-bit)
endif()
set(CORVANE_PROGRAM_FILE corvane${CORVANE_PROGRAM_SUFFIX}.exe)
set(CORVANE_MANIFEST ${CMAKE_BINARY_DIR}/app/corvane.manifest)
configure_file(${CMAKE_SOURCE_DIR}/src/app/corvane.manifest.in ${CORVANE_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/src/app/corvane.rc.in ${CMAKE_BINARY_DIR}/app/corvane.rc @ONLY)

add_executable(corvane WIN32 ${CMAKE_SOURCE_DIR}/src/app/corvane_main_win.cpp ${CMAKE_BINARY_DIR}/app/corvane.rc
               ${CORVANE_TICK_IMPORT})
set_target_properties(corvane PROPERTIES OUTPUT_NAME corvane${CORVANE_PROGRAM_SUFFIX})
target_link_libraries(corvane PRIVATE corvane_win)
target_link_options(corvane PRIVATE -municode)

# GoogleTest built from Debian's source package for this target.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(CORVANE_WINE_TESTS)
  add_executable(corvane_win_tests ${CORVANE_WINE_TESTS})
  target_include_directories(corvane_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(corvane_win_tests PRIVATE corvane_win gtest_main gmock)

  # The child the delay-load tests run (tests/platform/delay_load_win_test.cpp),
  # next to them: it delay-imports from a library no system has and a
  # function version.dll lacks, besides the program's own delay imports.
  add_executable(corvane_delay_probe ${CMAKE_SOURCE_DIR}/tests/platform/delay_load_probe_main_win.cpp)
  corvane_link_delay_imports(corvane_delay_probe corvane-absent.dll CorvaneAbsentLibraryProbe@0)
  corvane_link_delay_imports(corvane_delay_probe version.dll CorvaneAbsentFunctionProbe@0)
  target_link_libraries(corvane_delay_probe PRIVATE corvane_win)
  add_dependencies(corvane_win_tests corvane_delay_probe)
endif()

if(CORVANE_E2E_SOURCES)
  add_executable(corvane_e2e_tests ${CORVANE_E2E_SOURCES})
  target_include_directories(corvane_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(corvane_e2e_tests PRIVATE corvane_core gtest gmock ${CORVANE_WIN_LIBS})
  add_dependencies(corvane_e2e_tests corvane)
endif()

# The soak run (./test --soak, tests/soak/soak.sh): drives two programs
# with the end-to-end harness for minutes and judges what they hold.
add_executable(corvane_soak ${CMAKE_SOURCE_DIR}/tests/soak/soak_main_win.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp)
target_include_directories(corvane_soak PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(corvane_soak PRIVATE corvane_core gtest ${CORVANE_WIN_LIBS})
target_link_options(corvane_soak PRIVATE -municode)
add_dependencies(corvane_soak corvane)

# corvane-decode.exe: the same decoders, for recorded dumps on Windows.
set(CORVANE_DECODE_MAIN ${CMAKE_SOURCE_DIR}/src/app/corvane_decode_main.cpp)
if(EXISTS ${CORVANE_DECODE_MAIN})
  add_executable(corvane-decode ${CORVANE_DECODE_MAIN} ${CORVANE_TICK_IMPORT})
  set_target_properties(corvane-decode PROPERTIES OUTPUT_NAME corvane-decode${CORVANE_PROGRAM_SUFFIX})
  target_link_libraries(corvane-decode PRIVATE corvane_core)
endif()

# Benchmarks, linked only on request (bench/*.sh build them). Their sources
# are compiled with every build, so a change of the code they drive cannot
# leave them behind unnoticed until someone next measures.
file(GLOB CORVANE_BENCH_MAINS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_main_win.cpp)
foreach(main ${CORVANE_BENCH_MAINS})
  get_filename_component(name ${main} NAME_WE)
  string(REPLACE "_main_win" "" name ${name})
  add_library(bench_${name}_main OBJECT ${main})
  target_link_libraries(bench_${name}_main PRIVATE corvane_win)
  # Benchmarks may drive the code with the tests' scripted sources.
  target_include_directories(bench_${name}_main PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_executable(bench_${name} EXCLUDE_FROM_ALL $<TARGET_OBJECTS:bench_${name}_main>)
  target_link_libraries(bench_${name} PRIVATE corvane_win)
endforeach()
# The plain C programs of bench/: the empty program (what any process costs)
# and the start-up probe that times a window's first painting from outside.
add_executable(bench_empty WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/empty_main.c)
add_executable(bench_show_probe EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/show_probe.c)
target_link_options(bench_show_probe PRIVATE -municode)
# The least a painted window costs here, with corvane's manifest: show_run.sh's floor.
add_executable(bench_window_floor WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/window_floor.c
               ${CMAKE_BINARY_DIR}/app/corvane.rc)
target_link_libraries(bench_window_floor PRIVATE comctl32)
# A GUI program, as Corvane is: its memory is compared with corvane's.
if(TARGET bench_reference)
  set_target_properties(bench_reference PROPERTIES WIN32_EXECUTABLE ON)
endif()
