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
  set(target tessera_${name})
  get_target_property(folder ${target} TESSERA_FOLDER)
  get_target_property(headers ${target} TESSERA_HEADERS)
  get_target_property(depends ${target} TESSERA_COMPONENT_DEPENDS)
  get_target_property(public_depends ${target} TESSERA_PUBLIC_COMPONENT_DEPENDS)
  get_target_property(packages ${target} TESSERA_PACKAGES)
  get_target_property(private_packages ${target} TESSERA_PRIVATE_PACKAGES)
  get_target_property(pkgconfig ${target} TESSERA_PKGCONFIG)
  get_target_property(pkgconfig_private ${target} TESSERA_PKGCONFIG_PRIVATE)
  get_target_property(system_libs ${target} TESSERA_SYSTEM_LIBS)
  get_target_property(type ${target} TYPE)
  string(REPLACE "_" "-" library_package "libtessera-${name}${PROJECT_VERSION_MAJOR}")

  install(TARGETS ${target} EXPORT Tessera-${name}-targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${library_package}
            NAMELINK_COMPONENT dev
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${library_package})
  # The public headers only, each under its folder.
  foreach(header IN LISTS headers)
    file(RELATIVE_PATH relative ${TESSERA_SOURCE_ROOT} ${header})
    get_filename_component(relative_dir ${relative} DIRECTORY)
    install(FILES ${header}
      DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessera/${relative_dir} COMPONENT dev)
  endforeach()
  install(EXPORT Tessera-${name}-targets NAMESPACE Tessera::
    DESTINATION ${TESSERA_CMAKE_DIR} COMPONENT dev)

  # Tessera-<name>.cmake: the component's dependencies, then its target. A
  # shared library keeps its private dependencies to itself; a static one
  # hands them on to the program that links it.
  if(type STREQUAL "STATIC_LIBRARY")
    list(APPEND packages ${private_packages})
    set(included ${depends})
  else()
    set(included ${public_depends})
  endif()
  set(content "# Tessera::${name} and what it needs.\nif(TARGET Tessera::${name})\n  return()\nendif()\n")
  foreach(depend IN LISTS included)
    string(APPEND content "include(\${CMAKE_CURRENT_LIST_DIR}/Tessera-${depend}.cmake)\n")
  endforeach()
  foreach(package IN LISTS packages)
    string(APPEND content "find_dependency(${package})\n")
  endforeach()
  string(APPEND content "include(\${CMAKE_CURRENT_LIST_DIR}/Tessera-${name}-targets.cmake)\n")
  file(WRITE ${PROJECT_BINARY_DIR}/package/Tessera-${name}.cmake "${content}")
  install(FILES ${PROJECT_BINARY_DIR}/package/Tessera-${name}.cmake
    DESTINATION ${TESSERA_CMAKE_DIR} COMPONENT dev)

  # pkg-config reads Requires.private for --cflags too, so every module named
  # there must be installed. A static library names all its private
  # dependencies; a shared one only those its package brings anyway (other
  # components, Qt modules): the rest (OpenSSL, GMP) stays its own business,
  # and its users need no development files of them.
  if(NOT type STREQUAL "STATIC_LIBRARY")
    list(FILTER pkgconfig_private INCLUDE REGEX "^(tessera-|Qt6)")
  endif()
  list(JOIN pkgconfig " " PC_REQUIRES)
  list(JOIN pkgconfig_private " " PC_REQUIRES_PRIVATE)
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
