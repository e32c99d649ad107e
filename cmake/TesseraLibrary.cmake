# How a folder becomes a component of the package Tessera.
#
# A library folder registers with one call in its CMakeLists.txt, which
# creates the target and everything the component needs:
#
#   tessera_library(<name>
#     SOURCES <file>...               the .cpp files and the private headers
#     HEADERS <file>...               the public headers: installed, and the only
#                                     ones a user of Tessera::<name> can include
#     [PUBLIC <target>...]            what the public headers need (Tessera::runtime,
#                                     Qt6::Core, ...)
#     [PRIVATE <target or library>...]  what only the .cpp files need
#     [PACKAGES "<find_package arguments>"...]
#                                     packages behind PUBLIC targets other than Qt
#                                     and Tessera (one quoted argument list each)
#     [PRIVATE_PACKAGES "<find_package arguments>"...]
#                                     the same for PRIVATE targets; needed by
#                                     users of a static build only
#     [PKGCONFIG <module>...]         pkg-config modules of PUBLIC dependencies
#     [PKGCONFIG_PRIVATE <module>...])  and of PRIVATE ones
#
# Example, a folder quantity/ on top of runtime that uses GMP in its .cpp
# files only:
#
#   tessera_library(quantity
#     SOURCES Quantity.cpp Parser.cpp Parser.h
#     HEADERS Quantity.h
#     PUBLIC Tessera::runtime
#     PRIVATE gmpxx gmp
#     PKGCONFIG_PRIVATE gmpxx)
#
# and the top-level CMakeLists.txt adds the folder with add_subdirectory.
# Tessera components and Qt modules need no PACKAGES or PKGCONFIG entries:
# they are read from PUBLIC and PRIVATE.
#
# What a component gets:
# - the target tessera_<name> (a prefix, so that a project that adds this
#   repository with add_subdirectory keeps its own target names free) and
#   the name Tessera::<name>, the one that in-tree code and users link;
# - the library file libtessera-<name>.so.<major>;
# - its include roots in the build tree, holding links to its own headers
#   only: <build>/include/<name> for its users (the HEADERS) and
#   <build>/include-private/<name> for its own sources (HEADERS and the
#   headers among SOURCES). So #include "<folder>/<header>.h" works in a
#   target that links the component and fails in one that does not, as it
#   does against the installed package (include/tessera);
# - the records that cmake/TesseraPackage.cmake turns into install rules,
#   the CMake package files and the pkg-config file.
#
# tessera_private_headers(<target> <name>) lets a white-box test include the
# component's private headers too.

# The repository: the folder above this file's, also when another project
# (the fuzzing build, a user's add_subdirectory) calls these functions.
get_filename_component(TESSERA_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

function(tessera_stage_headers root folder)
  foreach(header IN LISTS ARGN)
    get_filename_component(source ${header} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH relative ${CMAKE_CURRENT_SOURCE_DIR} ${source})
    set(link ${root}/${folder}/${relative})
    get_filename_component(link_dir ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${link_dir})
    file(CREATE_LINK ${source} ${link} SYMBOLIC)
  endforeach()
endfunction()

function(tessera_library name)
  cmake_parse_arguments(ARG ""
    ""
    "SOURCES;HEADERS;PUBLIC;PRIVATE;PACKAGES;PRIVATE_PACKAGES;PKGCONFIG;PKGCONFIG_PRIVATE"
    ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tessera_library(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_HEADERS)
    message(FATAL_ERROR "tessera_library(${name}): no public HEADERS")
  endif()
  set(target tessera_${name})
  add_library(${target} ${ARG_SOURCES} ${ARG_HEADERS})
  add_library(Tessera::${name} ALIAS ${target})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})

  # The include roots: links to the public headers for users, to all of the
  # component's headers for itself. A stale link of a header that was
  # removed or made private must not survive a new configuration.
  file(RELATIVE_PATH folder ${TESSERA_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  set(public_root ${PROJECT_BINARY_DIR}/include/${name})
  set(private_root ${PROJECT_BINARY_DIR}/include-private/${name})
  file(REMOVE_RECURSE ${public_root} ${private_root})
  tessera_stage_headers(${public_root} ${folder} ${ARG_HEADERS})
  set(private_headers "")
  foreach(source IN LISTS ARG_SOURCES ARG_HEADERS)
    if(source MATCHES "\\.(h|hpp)$")
      list(APPEND private_headers ${source})
    endif()
  endforeach()
  tessera_stage_headers(${private_root} ${folder} ${private_headers})
  target_include_directories(${target}
    PRIVATE ${private_root}
    INTERFACE $<BUILD_INTERFACE:${public_root}>
              $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tessera>)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME tessera-${name}
    EXPORT_NAME ${name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})

  # Dependencies as the package files name them: other components, Qt
  # modules and plain system libraries, each public or private.
  tessera_classify(public_components public_qt public_libs ${ARG_PUBLIC})
  tessera_classify(private_components private_qt private_libs ${ARG_PRIVATE})
  set(packages ${ARG_PACKAGES})
  set(private_packages ${ARG_PRIVATE_PACKAGES})
  if(public_qt)
    list(JOIN public_qt " " modules)
    list(APPEND packages "Qt6 ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR} COMPONENTS ${modules}")
  endif()
  if(private_qt)
    list(JOIN private_qt " " modules)
    list(APPEND private_packages "Qt6 ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR} COMPONENTS ${modules}")
  endif()
  set(pkgconfig ${ARG_PKGCONFIG})
  set(pkgconfig_private ${ARG_PKGCONFIG_PRIVATE})
  foreach(component IN LISTS public_components)
    list(APPEND pkgconfig tessera-${component})
  endforeach()
  foreach(module IN LISTS public_qt)
    list(APPEND pkgconfig Qt6${module})
  endforeach()
  foreach(component IN LISTS private_components)
    list(APPEND pkgconfig_private tessera-${component})
  endforeach()
  foreach(module IN LISTS private_qt)
    list(APPEND pkgconfig_private Qt6${module})
  endforeach()

  set(headers "")
  foreach(header IN LISTS ARG_HEADERS)
    get_filename_component(source ${header} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND headers ${source})
  endforeach()
  set(system_libs ${public_libs} ${private_libs})
  set(all_components ${public_components} ${private_components})
  list(REMOVE_DUPLICATES all_components)
  set_target_properties(${target} PROPERTIES
    TESSERA_NAME "${name}"
    TESSERA_FOLDER "${folder}"
    TESSERA_HEADERS "${headers}"
    TESSERA_PRIVATE_ROOT "${private_root}"
    TESSERA_COMPONENT_DEPENDS "${all_components}"
    TESSERA_PUBLIC_COMPONENT_DEPENDS "${public_components}"
    TESSERA_PACKAGES "${packages}"
    TESSERA_PRIVATE_PACKAGES "${private_packages}"
    TESSERA_PKGCONFIG "${pkgconfig}"
    TESSERA_PKGCONFIG_PRIVATE "${pkgconfig_private}"
    TESSERA_SYSTEM_LIBS "${system_libs}")
  set_property(GLOBAL APPEND PROPERTY TESSERA_COMPONENTS ${name})
endfunction()

# tessera_classify(<components> <qt modules> <system libraries> <link>...):
# sorts link items into Tessera components (by name), Qt modules and plain
# libraries; imported targets of other packages go into none of them.
function(tessera_classify out_components out_qt out_libs)
  set(components "")
  set(qt "")
  set(libs "")
  foreach(link IN LISTS ARGN)
    if(link MATCHES "^Tessera::(.+)$")
      list(APPEND components ${CMAKE_MATCH_1})
    elseif(link MATCHES "^Qt6::(.+)$")
      list(APPEND qt ${CMAKE_MATCH_1})
    elseif(NOT link MATCHES "::" AND NOT link MATCHES "^\\$<")
      list(APPEND libs ${link})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES qt)
  set(${out_components} ${components} PARENT_SCOPE)
  set(${out_qt} ${qt} PARENT_SCOPE)
  set(${out_libs} ${libs} PARENT_SCOPE)
endfunction()

# tessera_private_headers(<target> <name>): <target> may include the private
# headers of component <name> (white-box tests).
function(tessera_private_headers target name)
  target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/include-private/${name})
endfunction()
