# With TAVREL_SANITIZE (a build folder of its own, made by scripts/test-sanitized): everything is
# built with AddressSanitizer and UBSan, and the first fault a sanitizer finds ends the process.
# The distribution's hardening stays off there: the sanitizers check what it would, and more.
# Light optimisation and line tables only: enough for readable reports, quicker to build in CI.
option(TAVREL_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
if(TAVREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g1)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
