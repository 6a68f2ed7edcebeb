# Fails when a library file includes a file of a higher layer.
#   cmake -DSOURCE_DIR=... -P CheckLayers.cmake
#
# The layers, bottom up. A file's layer is its folder under src/ or
# include/eventconfig/; the headers directly in include/eventconfig/ are the
# base (export macro, owning containers), except the umbrella, which is above
# everything. A file may include its own layer and the layers below it.
set(layers
  base       # EventConfigExport.h, Owned.h
  xml        # the navigator and text decoding
  reading    # the reading helpers and the registry template
  messages   # messages and field locators, which operations and actions keep
  operations
  actions
  model      # rules hold actions; event states, system states and the document hold rules
  config     # the configuration root and the platform pieces
  umbrella)  # EventConfig.h

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

# The layer of a path relative to src/ or include/ ("xml/Markup.cpp",
# "eventconfig/xml/Markup.h"); empty when it is not the library's.
function(layer_of path out)
  string(REGEX REPLACE "^eventconfig/" "" rel "${path}")
  if(rel STREQUAL "EventConfig.h")
    set(${out} umbrella PARENT_SCOPE)
  elseif(NOT rel MATCHES "/")
    if(path MATCHES "^eventconfig/")
      set(${out} base PARENT_SCOPE)
    else()
      set(${out} "" PARENT_SCOPE)
    endif()
  else()
    string(REGEX REPLACE "/.*" "" folder "${rel}")
    set(${out} ${folder} PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE src_files RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
file(GLOB_RECURSE include_files RELATIVE ${SOURCE_DIR}/include ${SOURCE_DIR}/include/*.h)

set(problems "")
foreach(root src include)
  foreach(file IN LISTS ${root}_files)
    layer_of(${file} from)
    list(FIND layers "${from}" from_rank)
    if(from_rank LESS 0)
      string(APPEND problems "\n  ${root}/${file}: its folder is in no layer")
      continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${root}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" target "${line}")
      layer_of(${target} to)
      list(FIND layers "${to}" to_rank)
      if(to_rank LESS 0)
        string(APPEND problems "\n  ${root}/${file}: \"${target}\" is in no layer")
      elseif(to_rank GREATER from_rank)
        string(APPEND problems "\n  ${root}/${file} (${from}) includes \"${target}\" (${to}), a higher layer")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "includes pointing upward:${problems}")
endif()
list(LENGTH src_files n_src)
list(LENGTH include_files n_include)
message(STATUS "layers: ${n_src} source and ${n_include} public files include only their own layer or lower ones")
