# Embeds every file under a folder into a static library as named resources.
# Layout: <dir>/<TYPE>/<NAME>.<ext>; the resource's type is the folder name and its
# name the file name without extension (both looked up case-insensitively).
function(qd_embed_resources target dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS LIST_DIRECTORIES false ${dir}/*/*)
  list(FILTER files EXCLUDE REGEX "/(README[^/]*|CMakeLists.txt|\\.[^/]*)$")
  list(SORT files)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/${target}_data.S")
  set(cpp "${CMAKE_CURRENT_BINARY_DIR}/${target}_table.cpp")
  set(asm_text "    .section .rodata\n")
  set(table "")
  set(decls "")
  set(i 0)
  foreach(f IN LISTS files)
    file(RELATIVE_PATH rel ${dir} ${f})
    get_filename_component(type_dir ${rel} DIRECTORY)
    get_filename_component(stem ${rel} NAME_WE)
    string(APPEND asm_text "    .balign 16\n    .global qd_res_${i}\nqd_res_${i}:\n    .incbin \"${f}\"\nqd_res_${i}_end:\n    .byte 0\n    .global qd_res_${i}_size\n    .balign 8\nqd_res_${i}_size:\n    .quad qd_res_${i}_end - qd_res_${i}\n")
    string(APPEND decls "extern \"C\" const unsigned char qd_res_${i}[];\nextern \"C\" const unsigned long long qd_res_${i}_size;\n")
    string(APPEND table "    {\"${type_dir}\", \"${stem}\", qd_res_${i}, &qd_res_${i}_size},\n")
    math(EXPR i "${i} + 1")
  endforeach()
  string(APPEND asm_text "    .section .note.GNU-stack,\"\",@progbits\n")
  file(CONFIGURE OUTPUT ${asm} CONTENT "${asm_text}")
  file(CONFIGURE OUTPUT ${cpp} CONTENT "// Generated: the table of embedded resources.
#include \"platform/base/resources.h\"
${decls}
namespace qd {
const TResourceEntry kEmbeddedResources[] = {
${table}    {nullptr, nullptr, nullptr, nullptr},
};
}  // namespace qd
")
  # An object library: a program that links it gets the table whatever its link order, and the
  # platform's resource lookup (which only declares the table) finds it there.
  add_library(${target} OBJECT ${asm} ${cpp})
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS "${files}")
  target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:qd_platform_base,INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()
