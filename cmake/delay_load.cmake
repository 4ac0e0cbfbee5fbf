# Delay loading (included by win32.cmake). Each library named in
# CORVANE_DELAY_LOADED is linked through a delay-import library instead of
# its import library: its DLL is loaded, and each function bound, on the
# function's first call rather than before the program runs. The
# delay-import library offers every function the toolchain's import library
# offers, under the same symbols and import names (cmake/delay_import_def.sh),
# so code that starts calling another function of such a DLL delay-imports
# it too; an export without a thunk (data) is a link error.
#
# Sets CORVANE_DELAY_IMPORTS, the target the programs link in place of those
# libraries: the delay-import libraries and the failure hook
# (src/platform/delay_load_win.cpp), which their renamed call of the helper
# pulls in.

set(CORVANE_DELAY_DIR ${CMAKE_BINARY_DIR}/delay)
file(MAKE_DIRECTORY ${CORVANE_DELAY_DIR})

# The helper the thunks call, as its symbol is spelt on each processor.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CORVANE_DELAY_HELPER_RENAME __delayLoadHelper2=corvane_delay_load_helper)
else()
  set(CORVANE_DELAY_HELPER_RENAME ___delayLoadHelper2@8=_corvane_delay_load_helper@8)
endif()

function(corvane_delay_import_library name def out_var)
  set(lib ${CORVANE_DELAY_DIR}/lib${name}.a)
  # dlltool names the thunks' shared code and the descriptor after the output
  # file as given (so each library gets its own), and writes its temporary
  # files into the working folder.
  add_custom_command(
    OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E remove -f lib${name}.a
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib lib${name}.a
    COMMAND ${CMAKE_OBJCOPY} --redefine-sym ${CORVANE_DELAY_HELPER_RENAME} lib${name}.a
    DEPENDS ${def}
    WORKING_DIRECTORY ${CORVANE_DELAY_DIR}
    COMMENT "Delay-import library ${name}"
    VERBATIM)
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()

set(CORVANE_DELAY_HOOK ${CMAKE_SOURCE_DIR}/src/platform/delay_load_win.cpp)
list(REMOVE_ITEM CORVANE_WIN_SOURCES ${CORVANE_DELAY_HOOK})
add_library(corvane_delay_hook STATIC ${CORVANE_DELAY_HOOK})
target_include_directories(corvane_delay_hook PUBLIC ${CMAKE_SOURCE_DIR}/src)

set(CORVANE_DELAY_LIBRARIES)
foreach(name ${CORVANE_DELAY_LOADED})
  find_library(CORVANE_IMPORT_LIBRARY_${name} NAMES ${name} REQUIRED NO_CACHE)
  set(def ${CORVANE_DELAY_DIR}/${name}.def)
  add_custom_command(
    OUTPUT ${def}
    COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/delay_import_def.sh ${CMAKE_OBJDUMP} ${CORVANE_IMPORT_LIBRARY_${name}} ${def}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay_import_def.sh ${CORVANE_IMPORT_LIBRARY_${name}}
    COMMENT "Delay-import definitions of ${name}"
    VERBATIM)
  corvane_delay_import_library(delay_${name} ${def} lib)
  list(APPEND CORVANE_DELAY_LIBRARIES ${lib})
endforeach()
add_custom_target(corvane_delay_libraries DEPENDS ${CORVANE_DELAY_LIBRARIES})

set(CORVANE_DELAY_IMPORTS corvane_delay_imports)
add_library(corvane_delay_imports INTERFACE)
# The hook's library after the delay-import libraries that need it.
target_link_libraries(corvane_delay_imports INTERFACE ${CORVANE_DELAY_LIBRARIES} corvane_delay_hook)
add_dependencies(corvane_delay_imports corvane_delay_libraries)

# corvane_link_delay_imports(TARGET DLL FUNCTION...) links TARGET with a
# delay-import library of its own for FUNCTIONs of DLL, each written
# "Name@bytes" as i386 decorates it (the bytes of its arguments). Link it
# before the libraries that bring the hook. The tests use it for a library
# no system has and for a function a real one lacks.
function(corvane_link_delay_imports target dll)
  string(MAKE_C_IDENTIFIER "${target}_${dll}" name)
  set(def "LIBRARY \"${dll}\"\nEXPORTS\n")
  foreach(function ${ARGN})
    string(REGEX REPLACE "@[0-9]+$" "" import_name ${function})
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      string(APPEND def "${import_name} == ${import_name}\n")
    else()
      string(APPEND def "${function} == ${import_name}\n")
    endif()
  endforeach()
  file(CONFIGURE OUTPUT ${CORVANE_DELAY_DIR}/${name}.def CONTENT "${def}")
  corvane_delay_import_library(${name} ${CORVANE_DELAY_DIR}/${name}.def lib)
  add_custom_target(${name}_delay_library DEPENDS ${lib})
  add_dependencies(${target} ${name}_delay_library)
  target_link_libraries(${target} PRIVATE ${lib})
endfunction()
