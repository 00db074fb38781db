# cmake -DSOURCE=zel.db.in -DMODELS=zel-models.tsv -DICONV=iconv -DIMAGE=out.db -DCPP=out.cpp -P
# Builds the GBK database image and a C++ file holding it as zel::detail::kZelDbImage.

# [ID] rows: key = the id column, value = the record column (columns: id type name flash ram
# eeprom record).
file(STRINGS ${MODELS} lines)
list(POP_FRONT lines header)
if(NOT header MATCHES "^id\t.*\trecord$")
    message(FATAL_ERROR "${MODELS}: unexpected header '${header}'")
endif()
set(rows "")
foreach(line IN LISTS lines)
    string(REPLACE "\t" ";" fields "${line}")
    list(LENGTH fields count)
    if(count LESS 7)
        message(FATAL_ERROR "${MODELS}: short row '${line}'")
    endif()
    list(GET fields 0 id)
    list(GET fields 6 record)
    string(APPEND rows "${id}=${record}\n")
endforeach()
string(REGEX REPLACE "\n$" "" rows "${rows}")

file(READ ${SOURCE} text)
string(FIND "${text}" "@ID_ROWS@" at)
if(at LESS 0)
    message(FATAL_ERROR "${SOURCE}: no @ID_ROWS@ line")
endif()
string(REPLACE "@ID_ROWS@" "${rows}" text "${text}")
file(WRITE ${IMAGE}.utf8 "${text}")

execute_process(COMMAND ${ICONV} -f UTF-8 -t GBK -o ${IMAGE} ${IMAGE}.utf8
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "iconv could not convert ${SOURCE} to GBK")
endif()

file(READ ${IMAGE} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the array into lines of 16 bytes so the generated file stays readable.
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${CPP}.tmp "// Generated from zel.db.in and zel-models.tsv; do not edit.
#include \"zeldbimage.h\"

namespace zel::detail {

const unsigned char kZelDbImage[] = {
    ${bytes}
};
const std::size_t kZelDbImageSize = ${size};

}  // namespace zel::detail
")
file(COPY_FILE ${CPP}.tmp ${CPP} ONLY_IF_DIFFERENT)
file(REMOVE ${CPP}.tmp ${IMAGE}.utf8)
