# Native build of the portable core and its tests, under AddressSanitizer
# and UndefinedBehaviorSanitizer.
option(QB_SANITIZE "Build the core tests with ASan and UBSan" ON)
if(QB_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(qb_core STATIC ${QB_CORE_SOURCES})
target_include_directories(qb_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qb_core PRIVATE ${QB_WARNINGS})
find_package(Threads REQUIRED)
target_link_libraries(qb_core PUBLIC Threads::Threads)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB_RECURSE QB_CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
list(FILTER QB_CORE_TESTS EXCLUDE REGEX "_win_test\\.cpp$")
add_executable(core_tests ${QB_CORE_TESTS})
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(core_tests PRIVATE ${QB_WARNINGS})
target_link_libraries(core_tests PRIVATE qb_core GTest::gtest_main)

enable_testing()
include(GoogleTest)
# Each test is a CTest test of its own, so a failure names it.
gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 60)

# The folders depend one way (ARCHITECTURE.md).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME layers COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/architecture/check_layers.py
                             ${CMAKE_SOURCE_DIR}/src)

# Benchmarks of the portable core (figures printed, not asserted).
file(GLOB QB_CORE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
list(FILTER QB_CORE_BENCHES EXCLUDE REGEX "_win_bench\\.cpp$")
foreach(src ${QB_CORE_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE qb_core)
endforeach()
