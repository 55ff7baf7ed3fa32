# Every folder under src/ is one concern. Its CMakeLists.txt hands its sources to the library they
# belong to and names the folders its files may include; the rule is checked as the build is
# configured and again by the test `house.folders`, so an include across the design fails at once.
#
#   tavlor_folder(<library> [MAY_INCLUDE <folder>...])    folders as "core/sheet", "ui/grid"
#
# A folder keeps at most 14 sources (headers and .cpp files) directly, and no file of the core
# includes Qt.
include(${CMAKE_CURRENT_LIST_DIR}/CheckFolder.cmake)

function(tavlor_folder library)
  cmake_parse_arguments(PARSE_ARGV 1 FOLDER "" "" "MAY_INCLUDE")
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  target_sources(${library} PRIVATE ${sources})
  tavlor_check_folder("${folder}" "${sources}" "${FOLDER_MAY_INCLUDE}" problems)
  if(problems)
    message(FATAL_ERROR "${problems}")
  endif()
  # The same check for the test, from the rules written here.
  string(REPLACE ";" "," may "${FOLDER_MAY_INCLUDE}")
  set_property(GLOBAL APPEND PROPERTY TAVLOR_FOLDER_RULES "${folder}=${may}")
endfunction()

# Writes the rules of every folder seen so far for the test `house.folders`.
function(tavlor_folder_rules_test)
  get_property(rules GLOBAL PROPERTY TAVLOR_FOLDER_RULES)
  string(REPLACE ";" "|" rules "${rules}")
  add_test(NAME house.folders COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src "-DRULES=${rules}"
           -P ${PROJECT_SOURCE_DIR}/cmake/CheckFolder.cmake)
  set_tests_properties(house.folders PROPERTIES LABELS core)
endfunction()
