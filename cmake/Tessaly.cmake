# One library per folder: every .cpp/.h in the folder belongs to it, so a new
# unit needs no edit here.
function(tess_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
                                   ${CMAKE_CURRENT_SOURCE_DIR}/*.h
                                   ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER _src INCLUDE REGEX "\\.cpp$")
  if(_src)
    file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
                                     ${CMAKE_CURRENT_SOURCE_DIR}/*.h
                                     ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    add_library(${name} STATIC ${_src})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    # A subsystem with no units yet still takes part in the link graph.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# The shared fixtures (files made by other programs) lie beside the
# checkout; a local clone finds them beside the repository it came from.
set(TESS_FIXTURES ${CMAKE_SOURCE_DIR}/../shared/fixtures)
if(NOT EXISTS ${TESS_FIXTURES})
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} config --get remote.origin.url
                  OUTPUT_VARIABLE _origin OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(_origin AND IS_DIRECTORY ${_origin}/../shared/fixtures)
    get_filename_component(TESS_FIXTURES ${_origin}/../shared/fixtures ABSOLUTE)
  endif()
endif()

# Every tst_*.cpp in the calling folder is one Qt Test program run by ctest.
# Tests need no display and no network.
function(tess_tests)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(RELATIVE_PATH _rel ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" _prefix "${_rel}")
  foreach(_t ${_tests})
    get_filename_component(_n ${_t} NAME_WE)
    set(_target ${_prefix}_${_n})
    add_executable(${_target} ${_t})
    target_link_libraries(${_target} PRIVATE ${ARG_LIBS} tess_testsupport Qt6::Test)
    set_target_properties(${_target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${_target} COMMAND ${_target})
    set_tests_properties(${_target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TESS_SOURCE_DIR=${CMAKE_SOURCE_DIR};TESS_FIXTURES=${TESS_FIXTURES}"
      TIMEOUT 600)
  endforeach()
endfunction()
