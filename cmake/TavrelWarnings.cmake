# Every target of the project compiles with the same warnings; none may remain. CI turns them into
# errors (scripts/test configures with TAVREL_WERROR on).
option(TAVREL_WERROR "Treat compiler warnings as errors" OFF)
function(tavrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${TAVREL_WERROR}>:-Werror>)
endfunction()
