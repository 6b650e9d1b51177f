# libFuzzer targets for every reader of files that come from the drive.
# Built with clang; run for a bounded time by the test command.
set(QB_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(qb_core_fuzz STATIC ${QB_CORE_SOURCES})
target_include_directories(qb_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qb_core_fuzz PRIVATE ${QB_FUZZ_FLAGS})
find_package(Threads REQUIRED)
target_link_libraries(qb_core_fuzz PUBLIC Threads::Threads)

file(GLOB QB_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(src ${QB_FUZZ_TARGETS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_compile_options(${name} PRIVATE ${QB_FUZZ_FLAGS} ${QB_WARNINGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE qb_core_fuzz)
endforeach()
