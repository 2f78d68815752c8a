# Warnings for the project's own code.
function(qd_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # In a unity build every source is an included file, and GCC takes a class of it that uses
    # a type of the source's anonymous namespace for a header's mistake.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
  if(QD_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# One static library per source folder; sources are picked up from the folder itself. DEPS are
# the layer libraries it builds on (see cmake/Layers.cmake), PUBLIC_LIBS outside libraries.
function(qd_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PUBLIC_LIBS;SUBDIRS" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub IN LISTS ARG_SUBDIRS)
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  if(NOT sources)
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  qd_layer_target(${name} FOLDER ${folder} DEPS ${ARG_DEPS})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS})
  qd_warnings(${name})
endfunction()
