# Install rules of the component libraries and the files that let other
# projects find them: the CMake package "Tessera" (one export set per
# component, so that asking for a portable component never loads Qt) and one
# pkg-config file per component.
#
# Install components (for CPack): lib<output name><major> holds a shared
# library, "dev" the headers, link-time files and package files.
include(CMakePackageConfigHelpers)

set(TESSERA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tessera)
get_property(TESSERA_COMPONENT_LIST GLOBAL PROPERTY TESSERA_COMPONENTS)

# The .pc files find the prefix from where they lie, so that the tree can be
# installed anywhere (DESTDIR, --prefix) without editing them.
file(RELATIVE_PATH pc_to_prefix "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")

foreach(name IN LISTS TESSERA_COMPONENT_LIST)
  get_target_property(folder ${name} TESSERA_FOLDER)
  get_target_property(depends ${name} TESSERA_COMPONENT_DEPENDS)
  get_target_property(packages ${name} TESSERA_PACKAGES)
  get_target_property(pkgconfig ${name} TESSERA_PKGCONFIG)
  get_target_property(system_libs ${name} TESSERA_SYSTEM_LIBS)
  string(REPLACE "_" "-" library_package "libtessera-${name}${PROJECT_VERSION_MAJOR}")

  install(TARGETS ${name} EXPORT Tessera-${name}-targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${library_package}
            NAMELINK_COMPONENT dev
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${library_package})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessera/${folder} COMPONENT dev
    FILES_MATCHING PATTERN "*.h")
  install(EXPORT Tessera-${name}-targets NAMESPACE Tessera::
    DESTINATION ${TESSERA_CMAKE_DIR} COMPONENT dev)

  # Tessera-<name>.cmake: the component's dependencies, then its target.
  set(content "# Tessera::${name} and what it needs.\nif(TARGET Tessera::${name})\n  return()\nendif()\n")
  foreach(depend IN LISTS depends)
    string(APPEND content "include(\${CMAKE_CURRENT_LIST_DIR}/Tessera-${depend}.cmake)\n")
  endforeach()
  foreach(package IN LISTS packages)
    string(APPEND content "find_dependency(${package})\n")
  endforeach()
  string(APPEND content "include(\${CMAKE_CURRENT_LIST_DIR}/Tessera-${name}-targets.cmake)\n")
  file(WRITE ${PROJECT_BINARY_DIR}/package/Tessera-${name}.cmake "${content}")
  install(FILES ${PROJECT_BINARY_DIR}/package/Tessera-${name}.cmake
    DESTINATION ${TESSERA_CMAKE_DIR} COMPONENT dev)

  list(JOIN pkgconfig " " PC_REQUIRES)
  set(PC_LIBS_PRIVATE "")
  foreach(lib IN LISTS system_libs)
    string(APPEND PC_LIBS_PRIVATE " -l${lib}")
  endforeach()
  set(PC_NAME ${name})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tessera.pc.in
    ${PROJECT_BINARY_DIR}/package/tessera-${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/package/tessera-${name}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endforeach()

configure_package_config_file(cmake/TesseraConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/TesseraConfig.cmake
  INSTALL_DESTINATION ${TESSERA_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/TesseraConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/package/TesseraConfig.cmake
  ${PROJECT_BINARY_DIR}/package/TesseraConfigVersion.cmake
  DESTINATION ${TESSERA_CMAKE_DIR} COMPONENT dev)
# Debian packages carry it as their copyright file instead (packaging/).
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT license)
