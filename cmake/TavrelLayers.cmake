# tavrel_layer(NAME QT <Qt targets> BELOW <lower layers> SOURCES <files>)
# One static library per layer, tavrel_<NAME>. Its headers are reached as "NAME/file.h" through an
# include root that holds only this layer, so a file can include its own layer and the layers
# below it (whose roots come through linking) and nothing else: a wrong-way include fails to
# compile.
function(tavrel_layer name)
  cmake_parse_arguments(L "" "" "QT;BELOW;SOURCES" ${ARGN})
  set(target tavrel_${name})
  add_library(${target} STATIC ${L_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  set(below)
  foreach(layer ${L_BELOW})
    list(APPEND below tavrel_${layer})
  endforeach()
  target_link_libraries(${target} PUBLIC ${below} ${L_QT})
  # The window library is a shared object; what it links must be position independent.
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  tavrel_warnings(${target})
endfunction()
