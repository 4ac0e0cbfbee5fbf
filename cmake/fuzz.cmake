# Fuzz tree: the platform-free code under AddressSanitizer and UBSan, built
# with clang for libFuzzer, and one fuzzer per tests/fuzz/<name>_fuzz.cpp,
# named fuzz_<name>. A new target is one such file (and its seeds under
# tests/fuzz/corpus/<name>/); nothing here names them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "the fuzz tree needs clang (libFuzzer); configure with CXX=clang++")
endif()
find_package(nlohmann_json REQUIRED)

# Library assertions too: an index past a container's end stops the run even
# where it lands inside the same allocation, which AddressSanitizer cannot see.
set(CORVANE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Wpedantic ${CORVANE_SANITIZE} -fsanitize=fuzzer-no-link -D_GLIBCXX_ASSERTIONS)
add_link_options(${CORVANE_SANITIZE})

add_library(corvane_core STATIC ${CORVANE_CORE_SOURCES})
target_include_directories(corvane_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(corvane_core PUBLIC nlohmann_json::nlohmann_json)

file(GLOB CORVANE_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source ${CORVANE_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${name})
  add_executable(fuzz_${name} ${source})
  # Fuzzers may use the fakes the unit tests use (tests/<subsystem>/...).
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(fuzz_${name} PRIVATE corvane_core)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()
