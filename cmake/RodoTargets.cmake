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

# rodo_library(NAME [EXCLUDE_FROM_ALL] DIRS dir... LINKS target...)
function(rodo_library name)
  cmake_parse_arguments(ARG "EXCLUDE_FROM_ALL" "" "DIRS;LINKS" ${ARGN})
  rodo_sources(sources ${ARG_DIRS})
  if(NOT sources)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${stub} "namespace { [[maybe_unused]] int ${name}Empty = 0; }\n")
    set(sources ${stub})
  endif()
  set(exclude)
  if(ARG_EXCLUDE_FROM_ALL)
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  add_library(${name} SHARED ${exclude} ${sources})
  # Most of a source's compile time is reading the same Qt and standard
  # headers; compiled eight to a unit they are read once for eight (a quarter
  # of the time on a small machine). So names at file scope, anonymous
  # namespaces included, differ between the sources of a library.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  # Every symbol a library uses must come from what it links: a library that
  # only works inside a program that happens to provide the rest fails here.
  # Clang's sanitizer runtimes are linked into programs only, so the fuzz
  # build leaves the check out.
  if(NOT RODO_BUILD_FUZZ)
    target_link_options(${name} PRIVATE LINKER:--no-undefined)
  endif()
  if(NOT ARG_EXCLUDE_FROM_ALL)
    install(TARGETS ${name} LIBRARY DESTINATION lib)
  endif()
endfunction()

# The widget modules' headers as a folder of stand-ins that each stop the
# compilation: searched before Qt's own by the model libraries, so that
# <QtWidgets/QMessageBox> fails there although Qt's root include folder, which
# every Qt module needs, holds the real one.
function(rodo_headless_guard out)
  set(guard ${CMAKE_BINARY_DIR}/headless-guard)
  foreach(module Widgets PrintSupport OpenGLWidgets MultimediaWidgets)
    set(headers)
    if(TARGET Qt6::${module})
      get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
      foreach(dir IN LISTS dirs)
        if(dir MATCHES "/Qt${module}$" AND IS_DIRECTORY ${dir})
          file(GLOB headers LIST_DIRECTORIES false RELATIVE ${dir} ${dir}/*)
        endif()
      endforeach()
    endif()
    # The module header at least, when the module is not installed.
    list(APPEND headers Qt${module})
    foreach(header IN LISTS headers)
      file(CONFIGURE OUTPUT ${guard}/Qt${module}/${header} CONTENT
        "#error \"Model code runs headless: it never includes Qt${module}; ask the user through platform/hostservices.h\"\n")
    endforeach()
  endforeach()
  set(${out} ${guard} PARENT_SCOPE)
endfunction()

# rodo_check_headless(target...): fails the configuration when one of the
# model libraries reaches Qt Widgets through anything it links, however
# indirectly (Qt's print support brings Widgets too), and makes their own
# sources find the guard's stand-ins before any widget header. Model code runs
# headless and reaches the user only through the host services.
function(rodo_check_headless)
  rodo_headless_guard(guard)
  foreach(model IN LISTS ARGN)
    target_include_directories(${model} BEFORE PRIVATE ${guard})
    set(seen)
    set(queue ${model})
    set(via_${model} ${model})
    while(queue)
      list(POP_FRONT queue current)
      if(current IN_LIST seen OR NOT TARGET ${current})
        continue()
      endif()
      list(APPEND seen ${current})
      get_target_property(real ${current} ALIASED_TARGET)
      if(real)
        set(name ${real})
      else()
        set(name ${current})
      endif()
      if(name MATCHES "^Qt[0-9]*::Widgets$")
        string(REPLACE ";" " -> " chain "${via_${current}}")
        message(FATAL_ERROR "The model library ${model} links Qt Widgets: ${chain}")
      endif()
      set(links)
      get_target_property(imported ${name} IMPORTED)
      if(NOT imported)
        get_target_property(own ${name} LINK_LIBRARIES)
        if(own)
          list(APPEND links ${own})
        endif()
      endif()
      get_target_property(interface ${name} INTERFACE_LINK_LIBRARIES)
      if(interface)
        list(APPEND links ${interface})
      endif()
      foreach(link IN LISTS links)
        # $<LINK_ONLY:x> still links x; other expressions name no target.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
        if(link MATCHES "^\\$<" OR NOT TARGET ${link})
          continue()
        endif()
        if(NOT DEFINED via_${link})
          set(via_${link} ${via_${current}} ${link})
        endif()
        list(APPEND queue ${link})
      endforeach()
    endwhile()
  endforeach()
endfunction()
