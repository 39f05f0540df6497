# Turns a data file into a C++ source defining `<FUNCTION>()` and `<FUNCTION>Size()`.
# Usage: cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}"
  "#include <cstddef>\nnamespace trevalon {\nnamespace {\nconst char kData[] = {${bytes} 0};\n}\n"
  "const char* ${FUNCTION}() { return kData; }\n"
  "std::size_t ${FUNCTION}Size() { return ${size}; }\n}\n")
