# Turns a file into a C++ source defining a byte array and its size.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=symbol -P embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n#include <cstdint>\n\n"
  "extern const uint8_t ${NAME}[] = {\n${bytes}\n};\n"
  "extern const size_t ${NAME}_size = ${size};\n")
