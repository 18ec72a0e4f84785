# What `cmake --install` puts in place: the player and the C interface with its header and a
# pkg-config file, and the component SDK as a CMake package (VessantSDK) whose targets live in
# the Vessant:: namespace.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VESSANT_SDK_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/vessant-sdk)
set(VESSANT_SDK_LIBDIR ${CMAKE_INSTALL_LIBDIR}/vessant-sdk)
set(VESSANT_SDK_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/VessantSDK)

install(TARGETS vessant-player vessant-pack vessant-image RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS vessantplayer EXPORT VessantSDKTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${CMAKE_SOURCE_DIR}/include/vessant/vessant_player.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vessant)

# The pkg-config file finds its prefix from where it lies, so the tree can be moved.
file(RELATIVE_PATH VESSANT_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" VESSANT_PC_TO_PREFIX "${VESSANT_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/vessant-player.pc.in ${CMAKE_BINARY_DIR}/vessant-player.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vessant-player.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The component SDK: the runtime (static, position independent), the contract adapter, their
# headers, and the function that builds a component library.
install(TARGETS orvan vessant_component_sdk EXPORT VessantSDKTargets
  ARCHIVE DESTINATION ${VESSANT_SDK_LIBDIR}
  INCLUDES DESTINATION ${VESSANT_SDK_INCLUDEDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/orvan DESTINATION ${VESSANT_SDK_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(FILES ${CMAKE_SOURCE_DIR}/bridge/kesh_interface1.h DESTINATION ${VESSANT_SDK_INCLUDEDIR}/bridge)
install(FILES ${CMAKE_SOURCE_DIR}/sdk/kesh_component_adapter.h ${CMAKE_SOURCE_DIR}/sdk/kesh_component_exports.h
  DESTINATION ${VESSANT_SDK_INCLUDEDIR}/sdk)

install(EXPORT VessantSDKTargets NAMESPACE Vessant:: DESTINATION ${VESSANT_SDK_CMAKEDIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/VessantSDKConfig.cmake.in
  ${CMAKE_BINARY_DIR}/VessantSDKConfig.cmake INSTALL_DESTINATION ${VESSANT_SDK_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/VessantSDKConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/VessantSDKConfig.cmake ${CMAKE_BINARY_DIR}/VessantSDKConfigVersion.cmake
  ${CMAKE_SOURCE_DIR}/sdk/VessantComponent.cmake ${CMAKE_SOURCE_DIR}/sdk/VessantImage.cmake
  ${CMAKE_SOURCE_DIR}/sdk/component_exports.cpp.in
  ${CMAKE_SOURCE_DIR}/sdk/component_exports.map
  DESTINATION ${VESSANT_SDK_CMAKEDIR})
