# Builds a component library: a shared library holding the component's sources, the contract
# adapter and its own private copy of the runtime, exporting only the contract.
#
#   vessant_add_component(<name>
#     SOURCES <source>...
#     [CLASS <class> HEADER <header>]     # writes the exports of <class>, declared in <header>
#     [OUTPUT_DIRECTORY <dir>]            # where lib<name>.so goes
#     [INCLUDE_DIRECTORIES <dir>...]
#     [LIBRARIES <library>...])
#
# Without CLASS the sources write the exports themselves (sdk/kesh_component_exports.h).
function(vessant_add_component name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "CLASS;HEADER;OUTPUT_DIRECTORY" "SOURCES;INCLUDE_DIRECTORIES;LIBRARIES")
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "vessant_add_component(${name}): no SOURCES")
  endif()
  set(sources ${ARG_SOURCES})
  if(ARG_CLASS)
    if(NOT ARG_HEADER)
      message(FATAL_ERROR "vessant_add_component(${name}): CLASS needs the HEADER that declares it")
    endif()
    set(VESSANT_COMPONENT_CLASS ${ARG_CLASS})
    # A header named relative to the calling folder is found there, include path or not.
    set(VESSANT_COMPONENT_HEADER ${ARG_HEADER})
    if(NOT IS_ABSOLUTE "${ARG_HEADER}" AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_HEADER}")
      set(VESSANT_COMPONENT_HEADER "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_HEADER}")
    endif()
    set(exports ${CMAKE_CURRENT_BINARY_DIR}/${name}_exports.cpp)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/component_exports.cpp.in ${exports} @ONLY)
    list(APPEND sources ${exports})
  endif()

  set(map ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/component_exports.map)
  add_library(${name} SHARED ${sources})
  target_include_directories(${name} PRIVATE ${ARG_INCLUDE_DIRECTORIES})
  target_link_libraries(${name} PRIVATE Vessant::component_sdk ${ARG_LIBRARIES})
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON POSITION_INDEPENDENT_CODE ON
    LINK_DEPENDS ${map})
  # Symbols of the static libraries (the runtime above all) are hidden, and the version script
  # keeps everything but the contract local.
  target_link_options(${name} PRIVATE -Wl,--exclude-libs,ALL -Wl,--version-script=${map})
  if(VESSANT_SDK_SANITIZED)
    # The installed runtime was built with the sanitizers: the component must be too.
    target_compile_options(${name} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${name} PRIVATE -fsanitize=address,undefined)
  elseif(NOT VESSANT_SANITIZE)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  if(ARG_OUTPUT_DIRECTORY)
    set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
  endif()
endfunction()
