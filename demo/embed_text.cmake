# Writes a C++ header that holds a text file as a std::string_view constant.
# cmake -DINPUT=<file> -DOUTPUT=<header> -DSYMBOL=<name> -P embed_text.cmake
# The bytes are written as hexadecimal character codes, so any text (quotes, backslashes, any
# sequence that would end a raw string) survives unchanged.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
# Twelve bytes a line keep the header readable.
string(REPEAT "'[^']+'," 12 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n    " bytes "${bytes}")
get_filename_component(source_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
     "#pragma once\n"
     "// Generated from ${source_name} by embed_text.cmake; do not edit.\n"
     "#include <string_view>\n\n"
     "namespace nox::detail {\n\n"
     "inline constexpr char k${SYMBOL}Bytes[] = {\n    ${bytes}'\\0'};\n"
     "inline constexpr std::string_view k${SYMBOL}{k${SYMBOL}Bytes, ${byte_count}};\n\n"
     "}  // namespace nox::detail\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
