# tessera_library(<target> [PACKAGES <find_package arguments>]
#                          [PKGCONFIG <pkg-config modules>])
#
# Called in a component's folder after add_library and target_link_libraries.
# Gives the component what every component has: the name Tessera::<target>,
# the repository root as its include directory (installed: include/tessera),
# a shared-library version, and the records that the install step turns into
# the CMake package and the pkg-config file. Dependencies on other components
# and on Qt modules are read from the target's link libraries; anything else
# a consumer must find goes into PACKAGES (for find_dependency, one quoted
# argument list per package) and PKGCONFIG (Requires of the .pc file).
function(tessera_library name)
  cmake_parse_arguments(ARG "" "" "PACKAGES;PKGCONFIG" ${ARGN})
  add_library(Tessera::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tessera>)
  target_compile_features(${name} PUBLIC cxx_std_20)
  set_target_properties(${name} PROPERTIES
    OUTPUT_NAME tessera-${name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})

  get_property(known GLOBAL PROPERTY TESSERA_COMPONENTS)
  get_target_property(links ${name} LINK_LIBRARIES)
  set(components "")
  set(qt_modules "")
  set(system_libs "")
  foreach(link IN LISTS links)
    if(link IN_LIST known)
      list(APPEND components ${link})
    elseif(link MATCHES "^Qt6::(.+)$")
      list(APPEND qt_modules ${CMAKE_MATCH_1})
    elseif(NOT link MATCHES "::" AND NOT link MATCHES "^\\$<")
      list(APPEND system_libs ${link})
    endif()
  endforeach()
  set(packages ${ARG_PACKAGES})
  if(qt_modules)
    list(REMOVE_DUPLICATES qt_modules)
    list(JOIN qt_modules " " modules)
    list(APPEND packages "Qt6 ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR} COMPONENTS ${modules}")
  endif()
  set(pkgconfig ${ARG_PKGCONFIG})
  foreach(component IN LISTS components)
    list(APPEND pkgconfig tessera-${component})
  endforeach()
  foreach(module IN LISTS qt_modules)
    list(APPEND pkgconfig Qt6${module})
  endforeach()

  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES
    TESSERA_FOLDER "${folder}"
    TESSERA_COMPONENT_DEPENDS "${components}"
    TESSERA_PACKAGES "${packages}"
    TESSERA_PKGCONFIG "${pkgconfig}"
    TESSERA_SYSTEM_LIBS "${system_libs}")
  set_property(GLOBAL APPEND PROPERTY TESSERA_COMPONENTS ${name})
endfunction()
