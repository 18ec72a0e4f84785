# Turns a picture into a compiled-in record at build time: a static library holding one
# orvan::StaticImageInfo made by vessant-image, declared in "<NAME>.h" on the library's include
# path. Link it into a component (vessant_add_component(... LIBRARIES <target>)) and hand the
# record to a texture palette with SetImage.
#
#   vessant_add_image(<target>
#     PICTURE <file.png|file.jpg>
#     [NAME <identifier>]                  # the record's name (default: <target>)
#     [NAMESPACE <name>]
#     [CODEC raw|lz77|jpeg] [QUALITY <1-100>]
#     [CHUNK_SIZE <bytes>]
#     [COMPONENTS 1|2|3|4]                 # luminance, + alpha, RGB, RGBA (default: the picture's)
#     [POWER_OF_TWO none|pad|stretch]
#     [TOP_ROW_FIRST])
#
# The tool is the project's own vessant-image target, or VESSANT_IMAGE_EXECUTABLE when set.
function(vessant_add_image target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "TOP_ROW_FIRST"
    "PICTURE;NAME;NAMESPACE;CODEC;QUALITY;CHUNK_SIZE;COMPONENTS;POWER_OF_TWO" "")
  if(NOT ARG_PICTURE)
    message(FATAL_ERROR "vessant_add_image(${target}): no PICTURE")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vessant_add_image(${target}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  get_filename_component(picture "${ARG_PICTURE}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(name ${target})
  if(ARG_NAME)
    set(name ${ARG_NAME})
  endif()

  set(options --name ${name})
  foreach(pair "NAMESPACE;--namespace" "CODEC;--codec" "QUALITY;--quality" "CHUNK_SIZE;--chunk-size"
               "COMPONENTS;--components" "POWER_OF_TWO;--power-of-two")
    list(GET pair 0 key)
    list(GET pair 1 flag)
    if(DEFINED ARG_${key})
      list(APPEND options ${flag} ${ARG_${key}})
    endif()
  endforeach()
  if(ARG_TOP_ROW_FIRST)
    list(APPEND options --top-row-first)
  endif()

  set(tool vessant-image)
  if(VESSANT_IMAGE_EXECUTABLE)
    set(tool ${VESSANT_IMAGE_EXECUTABLE})
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_record)
  add_custom_command(
    OUTPUT ${dir}/${name}.cpp ${dir}/${name}.h
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${tool} ${options} --source ${dir}/${name}.cpp --header ${dir}/${name}.h ${picture}
    DEPENDS ${picture} ${tool}
    COMMENT "vessant-image: ${name} from ${ARG_PICTURE}"
    VERBATIM)
  add_library(${target} STATIC ${dir}/${name}.cpp ${dir}/${name}.h)
  target_include_directories(${target} PUBLIC ${dir})
  target_link_libraries(${target} PUBLIC Vessant::orvan)
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden)
endfunction()
