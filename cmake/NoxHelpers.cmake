# Shared helpers: one call adds a library layer, one adds a test program.

# Warning flags for our own code only (PRIVATE, so users of the package do not inherit them).
function(nox_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                                            -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(NOX_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# nox_add_library(<layer> DEPS <targets...> [PRIVATE_DEPS <targets...>])
# Adds the static library nox_<layer> from every .cpp in the folder <layer>/ with the alias nox::<layer>.
# Sources are globbed so that adding a file to a layer needs no edit here.
function(nox_add_library layer)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(nox_${layer} STATIC ${sources} ${headers})
  add_library(nox::${layer} ALIAS nox_${layer})
  set_target_properties(nox_${layer} PROPERTIES EXPORT_NAME ${layer} POSITION_INDEPENDENT_CODE ON)
  target_compile_features(nox_${layer} PUBLIC cxx_std_20)
  target_include_directories(nox_${layer} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                                                 $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/nox>)
  target_link_libraries(nox_${layer} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  nox_set_library_options(nox_${layer})
  set_property(GLOBAL APPEND PROPERTY NOX_LIBRARY_LAYERS ${layer})
endfunction()

# nox_add_room(<layer> <room> DEPS <targets...>)
# Adds the object library nox_<layer>_<room> from every .cpp in <layer>/<room>/ and puts its objects
# into nox_<layer>: a room is a folder of one concern inside a layer, built on its own, shipped in
# the layer's library. DEPS are the layer's own dependencies; which room may include which is
# kept by a check in the test suite, as all rooms share the project's include root.
function(nox_add_room layer room)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${room}/*.cpp")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${room}/*.h")
  add_library(nox_${layer}_${room} OBJECT ${sources} ${headers})
  set_target_properties(nox_${layer}_${room} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_compile_features(nox_${layer}_${room} PUBLIC cxx_std_20)
  target_include_directories(nox_${layer}_${room} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  target_link_libraries(nox_${layer}_${room} PUBLIC ${ARG_DEPS})
  nox_set_library_options(nox_${layer}_${room})
  target_sources(nox_${layer} PRIVATE $<TARGET_OBJECTS:nox_${layer}_${room}>)
endfunction()

# Compile options of the library's own code.
function(nox_set_library_options target)
  nox_set_warnings(${target})
  # The library never reads errno after a maths function; without it the compiler turns the
  # rounding and conversion calls of every pixel computation into single instructions.
  target_compile_options(${target} PRIVATE -fno-math-errno)
endfunction()

# nox_add_test(<name> SOURCES <files...> DEPS <targets...>)
# A GoogleTest program registered with CTest; tests run from the source tree's tests/ folder so that
# golden images and pinned fonts are found by relative path.
function(nox_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  nox_set_warnings(${name})
  target_compile_definitions(${name} PRIVATE NOX_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests"
                                             NOX_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/test-output")
  # Made here, so that any test may write there whichever runs first.
  file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/test-output")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "NOX_FONT_DIR=${PROJECT_SOURCE_DIR}/tests/fonts;${ARG_ENV}")
endfunction()
