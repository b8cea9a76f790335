# Every target of the project compiles with the same warnings; none may remain.
function(tavrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
