# The layer table (cmake/layers.txt) made binding for the build.
#
# Includes are written from the source root ("platform/os/user.h"), but no target sees the
# whole tree: each layer library gets a staging folder, <build>/layers/<target>/, that holds
# links to its own folder and to the folders of the libraries it links, and nothing else. An
# include of a higher layer therefore does not compile. A library may link only libraries of
# lower levels; the configuration stops on anything else.

file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/layers.txt _qd_layer_lines REGEX "^[^#]")
set(QD_LAYER_FOLDERS "")
set(_qd_level 0)
foreach(_qd_line IN LISTS _qd_layer_lines)
  string(REGEX MATCHALL "[^ \t]+" _qd_folders "${_qd_line}")
  foreach(_qd_folder IN LISTS _qd_folders)
    set_property(GLOBAL PROPERTY QD_LAYER_LEVEL_${_qd_folder} ${_qd_level})
    list(APPEND QD_LAYER_FOLDERS ${_qd_folder})
  endforeach()
  math(EXPR _qd_level "${_qd_level} + 1")
endforeach()

# Fills the folder `stage` with links to the source folders `dirs` (paths from the source root).
# A folder that holds a layer of its own (ui/editors holds ui/editors/concrete) is linked entry
# by entry, leaving out the nested layer unless that is among `dirs` too.
function(_qd_stage_layers stage)
  set(dirs ${ARGN})
  list(SORT dirs)  # a folder before the folders nested in it
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage})
  foreach(d IN LISTS dirs)
    get_filename_component(parent ${stage}/${d} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    set(nested "")
    foreach(f IN LISTS QD_LAYER_FOLDERS)
      string(FIND "${f}" "${d}/" pos)
      if(pos EQUAL 0)
        string(LENGTH "${d}/" n)
        string(SUBSTRING "${f}" ${n} -1 rel)
        string(REGEX REPLACE "/.*" "" first "${rel}")
        list(APPEND nested ${first})
      endif()
    endforeach()
    if(NOT nested)
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${d} ${stage}/${d} SYMBOLIC)
    else()
      file(MAKE_DIRECTORY ${stage}/${d})
      file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/${d}
           ${CMAKE_SOURCE_DIR}/${d}/*)
      foreach(e IN LISTS entries)
        if(NOT e IN_LIST nested)
          file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${d}/${e} ${stage}/${d}/${e} SYMBOLIC)
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()

# The folders that `deps` (layer targets) expose, checked to lie below `level` unless `level`
# is empty; the result goes to `out`.
function(_qd_layer_dirs out who level)
  set(dirs "")
  foreach(dep IN LISTS ARGN)
    if(NOT TARGET ${dep})
      message(FATAL_ERROR "${who}: ${dep} is not a target (layer libraries are defined bottom-up)")
    endif()
    get_target_property(dep_dirs ${dep} QD_LAYER_DIRS)
    if(NOT dep_dirs)
      message(FATAL_ERROR "${who}: ${dep} is not a layer library")
    endif()
    if(NOT level STREQUAL "")
      foreach(d IN LISTS dep_dirs)
        get_property(l GLOBAL PROPERTY QD_LAYER_LEVEL_${d})
        if(NOT l LESS level)
          message(FATAL_ERROR "${who} may not link ${dep}: ${d} is not below it in cmake/layers.txt")
        endif()
      endforeach()
    endif()
    list(APPEND dirs ${dep_dirs})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set(${out} "${dirs}" PARENT_SCOPE)
endfunction()

# qd_layer_target(<target> FOLDER <folder from the source root> DEPS <layer libraries>...)
# Makes <target> the library of a folder of the layer table: it links DEPS and sees, and passes
# on to what links it, the headers of its folder and of DEPS.
function(qd_layer_target target)
  cmake_parse_arguments(ARG "" "FOLDER" "DEPS" ${ARGN})
  get_property(level GLOBAL PROPERTY QD_LAYER_LEVEL_${ARG_FOLDER})
  if(level STREQUAL "")
    message(FATAL_ERROR "${target}: ${ARG_FOLDER} is not in cmake/layers.txt")
  endif()
  _qd_layer_dirs(dirs "${target} (${ARG_FOLDER})" ${level} ${ARG_DEPS})
  list(PREPEND dirs ${ARG_FOLDER})
  set_target_properties(${target} PROPERTIES QD_LAYER_DIRS "${dirs}")
  _qd_stage_layers(${CMAKE_BINARY_DIR}/layers/${target} ${dirs})
  target_include_directories(${target} PUBLIC ${CMAKE_BINARY_DIR}/layers/${target})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# qd_layer_group(<target> DEPS <layer libraries>...): an interface library that stands for
# several layer libraries (qd_platform for the whole platform layer).
function(qd_layer_group target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  _qd_layer_dirs(dirs ${target} "" ${ARG_DEPS})
  add_library(${target} INTERFACE)
  set_target_properties(${target} PROPERTIES QD_LAYER_DIRS "${dirs}")
  target_link_libraries(${target} INTERFACE ${ARG_DEPS})
endfunction()

# Lets <target> (a test or tool) include the test helpers as "tests/...".
function(qd_tests_include_root target)
  set(stage ${CMAKE_BINARY_DIR}/layers/tests-root)
  if(NOT EXISTS ${stage}/tests)
    file(MAKE_DIRECTORY ${stage})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/tests ${stage}/tests SYMBOLIC)
  endif()
  target_include_directories(${target} PRIVATE ${stage})
endfunction()
