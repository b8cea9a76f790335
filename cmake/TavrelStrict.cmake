# tavrel_strict: the stricter rules every target of src/ and tools/ is built with.
#
# Text never changes between bytes and QString behind the code's back: every conversion names its
# encoding (QStringLiteral, u""_s, QLatin1String, QString::fromUtf8, toUtf8), and concatenations
# build through QStringBuilder. The warnings catch a name that hides another, a C cast, a class
# with virtual functions deleted through a base without a virtual destructor, an override that
# hides its overloads, and any compiler extension. Qt's and the other libraries' headers come in as
# system headers and do not answer to them; the tests are built without them.
add_library(tavrel_strict INTERFACE)
target_compile_definitions(tavrel_strict INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_USE_QSTRINGBUILDER)
target_compile_options(tavrel_strict INTERFACE
  -Wshadow
  -pedantic-errors
  $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual>)

# tavrel_strict_for(FOLDER...): every target made in the folders and their subfolders builds with
# tavrel_strict. Linked privately, so that a library's users (the tests) do not inherit the rules.
# Called once, after the folders are added: a new target there needs nothing of its own.
function(tavrel_strict_for)
  foreach(folder IN LISTS ARGN)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
        target_link_libraries(${target} PRIVATE tavrel_strict)
      endif()
    endforeach()
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    tavrel_strict_for(${subfolders})
  endforeach()
endfunction()
