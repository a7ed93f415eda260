# Script mode: writes OUT, a C++ source holding the bytes of IN as SYMBOL (zero-terminated
# as well, so text files can be read as C strings).
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}" "// Generated from ${IN}; do not edit.\n#include <cstddef>\nextern const unsigned char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}_size;\nalignas(8) const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\nconst std::size_t ${SYMBOL}_size = ${size};\n")
