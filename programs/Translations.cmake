# program_translations(<target> <name> DESTINATION <dir> COMPONENT <component>)
#
# The program's translations (Qt Linguist). translations/<name>_LANG.ts in
# the calling folder become translations/<name>_LANG.qm in its build folder,
# beside the program, which finds them there when run from the build tree,
# and are installed into <dir>. First scripts/update-translations --check
# makes sure that every text of the files that translations/sources lists
# has a finished translation: a text without one fails the build (set
# TESSERA_TRANSLATIONS_CHECK to OFF to build with English texts left in
# place, as while merging work that adds texts).
option(TESSERA_TRANSLATIONS_CHECK
       "Fail the build when a text of a program has no finished translation" ON)
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

function(program_translations target name)
  cmake_parse_arguments(ARG "" "DESTINATION;COMPONENT" "" ${ARGN})
  set(folder ${CMAKE_CURRENT_SOURCE_DIR}/translations)
  file(GLOB ts_files CONFIGURE_DEPENDS ${folder}/${name}_*.ts)
  # What lupdate reads, so that an edit of any of it runs the check again.
  file(STRINGS ${folder}/sources entries)
  set(inputs ${folder}/sources)
  foreach(entry IN LISTS entries)
    set(path ${PROJECT_SOURCE_DIR}/${entry})
    if(IS_DIRECTORY ${path})
      file(GLOB_RECURSE found CONFIGURE_DEPENDS
           ${path}/*.cpp ${path}/*.h ${path}/*.ui ${path}/*.qrc)
      list(APPEND inputs ${found})
    else()
      list(APPEND inputs ${path})
    endif()
  endforeach()

  set(out ${CMAKE_CURRENT_BINARY_DIR}/translations)
  set(checked ${out}/${name}.checked)
  if(TESSERA_TRANSLATIONS_CHECK)
    add_custom_command(OUTPUT ${checked}
      COMMAND ${CMAKE_COMMAND} -E env LUPDATE=$<TARGET_FILE:Qt6::lupdate>
              ${PROJECT_SOURCE_DIR}/scripts/update-translations --check ${name}
      COMMAND ${CMAKE_COMMAND} -E touch ${checked}
      DEPENDS ${inputs} ${ts_files} ${PROJECT_SOURCE_DIR}/scripts/update-translations
      COMMENT "Checking that every text of ${name} has a finished translation"
      VERBATIM)
  else()
    add_custom_command(OUTPUT ${checked}
      COMMAND ${CMAKE_COMMAND} -E touch ${checked} VERBATIM)
  endif()
  set(qm_files "")
  foreach(ts IN LISTS ts_files)
    get_filename_component(base ${ts} NAME_WE)
    set(qm ${out}/${base}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
      DEPENDS ${ts} ${checked} VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  add_custom_target(${name}_translations ALL DEPENDS ${qm_files})
  add_dependencies(${target} ${name}_translations)
  install(FILES ${qm_files} DESTINATION ${ARG_DESTINATION} COMPONENT ${ARG_COMPONENT})
endfunction()
