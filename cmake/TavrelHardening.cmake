# Included by src/ and tools/, so that everything that goes into the package, the sibling tools
# that read hostile input above all, is built with the distribution's hardening: checked buffer
# functions, stack protection, and relocations made read-only before main. The tests need not be.
# The fuzzing and sanitizer builds have sanitizers instead.
if(NOT TAVREL_FUZZ AND NOT TAVREL_SANITIZE)
  # The checked functions need optimisation; a debug build goes without them.
  add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>
    -fstack-protector-strong)
  add_link_options(-Wl,-z,relro,-z,now)
endif()
