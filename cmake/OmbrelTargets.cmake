# ombrel_library(name SOURCES... DEPS...): one static library per folder,
# included as <folder>/<Header>.h from the source root.
function(ombrel_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# ombrel_test(name DEPS...): one GoogleTest binary per test folder.
function(ombrel_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE OMBREL_BUNDLE_DIR="${OMBREL_BUNDLE_DIR}"
                                             OMBREL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_dependencies(${name} bundle)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "OMBREL_QUIET=1")
endfunction()
