# Fails when PROGRAM is LIMIT_KIB kibibytes or larger.
file(SIZE "${PROGRAM}" size)
math(EXPR kib "${size} / 1024")
if(kib GREATER_EQUAL LIMIT_KIB)
  message(FATAL_ERROR "${PROGRAM} is ${kib} KiB, the limit is ${LIMIT_KIB} KiB")
endif()
message(STATUS "${PROGRAM}: ${kib} KiB (limit ${LIMIT_KIB} KiB)")
