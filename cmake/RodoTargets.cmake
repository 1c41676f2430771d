# Every library takes all sources of its folders, so a new class is a new pair
# of files and nothing else.
function(rodo_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# rodo_library(NAME DIRS dir... LINKS target...)
function(rodo_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS" ${ARGN})
  rodo_sources(sources ${ARG_DIRS})
  if(NOT sources)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${stub} "namespace { [[maybe_unused]] int ${name}Empty = 0; }\n")
    set(sources ${stub})
  endif()
  add_library(${name} SHARED ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  install(TARGETS ${name} LIBRARY DESTINATION lib)
endfunction()
