# Writes a C++ byte table of the PNG files listed in a resource script ("<id> PNG "<file>"" lines).
# Usage: cmake -DRC_FILE=<artwork.rc> -DOUTPUT=<table.cpp> -P embed_resources.cmake
get_filename_component(rc_dir ${RC_FILE} DIRECTORY)
file(STRINGS ${RC_FILE} rc_lines REGEX "^[0-9]+ PNG \"[^\"]+\"")

set(arrays "")
set(entries "")
foreach(line ${rc_lines})
  string(REGEX REPLACE "^([0-9]+) PNG \"([^\"]+)\".*" "\\1" id "${line}")
  string(REGEX REPLACE "^([0-9]+) PNG \"([^\"]+)\".*" "\\2" name "${line}")
  file(READ ${rc_dir}/${name} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Break the initialiser into lines of 32 bytes.
  string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "// ${name}\nconst unsigned char png${id}[${size}] = {\n${bytes}\n};\n")
  string(APPEND entries "    {${id}, png${id}, ${size}u},\n")
endforeach()

set(source "// Generated from ${RC_FILE}; do not edit.\n#include \"embedded_resource_table.h\"\n\n")
string(APPEND source "namespace {\n${arrays}}  // namespace\n\n")
string(APPEND source "const EmbeddedResource kEmbeddedResources[] = {\n${entries}};\n")
string(APPEND source "const unsigned kEmbeddedResourceCount = sizeof kEmbeddedResources / sizeof kEmbeddedResources[0];\n")
file(WRITE ${OUTPUT}.tmp "${source}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
