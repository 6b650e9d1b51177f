# Cross build: Quillobrante.exe, data.dll, the theme folders, the Windows
# tests (run under Wine by CTest) and the drive folder a user copies (dist).
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(QB_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(QB_ART_GENERATOR ${CMAKE_SOURCE_DIR}/resources/art/make_art.py)
set(QB_ART_STAMP ${QB_ART_DIR}/.stamp)
add_custom_command(
  OUTPUT ${QB_ART_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QB_ART_DIR}
  COMMAND ${Python3_EXECUTABLE} ${QB_ART_GENERATOR} --out ${QB_ART_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QB_ART_STAMP}
  DEPENDS ${QB_ART_GENERATOR}
  COMMENT "Drawing the program's pictures and themes")
add_custom_target(art DEPENDS ${QB_ART_STAMP})

# SSE arithmetic, as in the native build: the x87 unit's extra precision
# would make some computed figures differ between the two (x86-64 has it
# by default).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# Warnings are errors here: a slip such as a cast that drops a calling
# convention matters only on 32-bit Windows, which not every test machine
# runs, so the compiler's word is the one check every machine makes.
list(APPEND QB_WARNINGS -Werror)

set(QB_STATIC_LINK -static -static-libgcc -static-libstdc++)
# Only libraries Windows always takes from its system folder: shell32,
# comdlg32, ole32, oleaut32 and oleacc are loaded by full path at their
# first use (src/common/system_libraries_win.h), so a direct call into one
# of them fails to link, in the program and in its tests alike.
set(QB_WIN_LIBS gdi32 user32 advapi32)
set(QB_WIN_DEFS WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

# The portable core, cross-compiled.
add_library(qb_core STATIC ${QB_CORE_SOURCES})
target_include_directories(qb_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qb_core PRIVATE ${QB_WARNINGS})

# The Win32 layer: every *_win.cpp but the entry point.
file(GLOB_RECURSE QB_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*_win.cpp)
list(FILTER QB_WIN_SOURCES EXCLUDE REGEX "/app/main_win\\.cpp$")
add_library(qb_win STATIC ${QB_WIN_SOURCES})
target_include_directories(qb_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(qb_win PUBLIC ${QB_WIN_DEFS})
target_compile_options(qb_win PRIVATE ${QB_WARNINGS})
target_link_libraries(qb_win PUBLIC qb_core ${QB_WIN_LIBS})

# Resources: the program's icon, version and manifest, and the picture library. The
# version comes from project(VERSION), through a generated header.
set(QB_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${QB_GENERATED_DIR}/version.h @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${QB_ART_DIR} -I${QB_ART_DIR}/data -I${QB_GENERATED_DIR} -I${CMAKE_SOURCE_DIR}/resources")
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/app.rc
  PROPERTIES OBJECT_DEPENDS "${QB_ART_STAMP};${QB_GENERATED_DIR}/version.h;${CMAKE_SOURCE_DIR}/resources/Quillobrante.exe.manifest")
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/data/data.rc
  PROPERTIES OBJECT_DEPENDS ${QB_ART_STAMP})

add_executable(Quillobrante WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp ${CMAKE_SOURCE_DIR}/resources/app.rc)
target_compile_options(Quillobrante PRIVATE ${QB_WARNINGS})
target_link_libraries(Quillobrante PRIVATE qb_win)
target_link_options(Quillobrante PRIVATE ${QB_STATIC_LINK} -s)
add_dependencies(Quillobrante art)

# data.dll holds only bitmap resources: no code, no entry point.
add_library(data SHARED ${CMAKE_SOURCE_DIR}/resources/data/data.rc)
set_target_properties(data PROPERTIES PREFIX "" OUTPUT_NAME data LINKER_LANGUAGE C)
target_link_options(data PRIVATE -nostdlib -Wl,-e,0)
add_dependencies(data art)

# GoogleTest, cross-built; it runs under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

enable_testing()

# Shared support of the Windows tests (drive folders, modal answers).
file(GLOB QB_WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*_win.cpp)
add_library(qb_win_test_support STATIC ${QB_WIN_TEST_SUPPORT})
target_link_libraries(qb_win_test_support PUBLIC qb_win GTest::gtest)
target_include_directories(qb_win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)

# One Windows test program per subsystem folder that has Windows tests.
file(GLOB QB_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(dir ${QB_TEST_DIRS})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*_win_test.cpp)
  if(sources)
    get_filename_component(sub ${dir} NAME)
    add_executable(win_${sub}_tests ${sources})
    target_compile_options(win_${sub}_tests PRIVATE ${QB_WARNINGS})
    target_link_libraries(win_${sub}_tests PRIVATE qb_win_test_support GTest::gtest_main)
    target_link_options(win_${sub}_tests PRIVATE ${QB_STATIC_LINK})
    add_test(NAME win_${sub} COMMAND win_${sub}_tests)
    set_tests_properties(win_${sub} PROPERTIES TIMEOUT 600)
  endif()
endforeach()
# The screen-reader tests play the reader too, which takes the window's
# object and frees its texts with the libraries themselves; the program's
# side still calls through its own table.
target_link_libraries(win_mainwindow_tests PRIVATE oleacc oleaut32 ole32)

# A picture library whose start-up code leaves a trace: the program must
# load data.dll for its pictures only.
add_library(trace_library SHARED ${CMAKE_SOURCE_DIR}/tests/tools/trace_library.cpp
  ${CMAKE_SOURCE_DIR}/resources/data/data.rc)
set_target_properties(trace_library PROPERTIES PREFIX "" OUTPUT_NAME trace_library)
target_compile_definitions(trace_library PRIVATE ${QB_WIN_DEFS})
target_link_options(trace_library PRIVATE ${QB_STATIC_LINK})
add_dependencies(trace_library art)
foreach(sub app)
  add_dependencies(win_${sub}_tests trace_library)
endforeach()
# The app tests read the built program's manifest.
add_dependencies(win_app_tests Quillobrante)

# The helper that end-to-end tests use to reach the running program's window.
add_executable(qb_probe ${CMAKE_SOURCE_DIR}/tests/tools/qb_probe.cpp)
target_compile_definitions(qb_probe PRIVATE ${QB_WIN_DEFS})
target_compile_options(qb_probe PRIVATE ${QB_WARNINGS})
target_link_libraries(qb_probe PRIVATE qb_core user32 gdi32 ole32 oleaut32 oleacc)
target_link_options(qb_probe PRIVATE ${QB_STATIC_LINK})

# Windows benchmarks (figures printed, not asserted), and the bare window
# program that the start-up benchmark launches beside the real one.
add_executable(bare_window WIN32 ${CMAKE_SOURCE_DIR}/bench/bare_window.cpp)
target_compile_options(bare_window PRIVATE ${QB_WARNINGS})
target_link_options(bare_window PRIVATE ${QB_STATIC_LINK} -s)
# The benchmarks are built by run-bench.sh (target "benches"), not by
# every build: the test command does not run them.
file(GLOB QB_WIN_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_win_bench.cpp)
add_custom_target(benches)
foreach(src ${QB_WIN_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src})
  add_dependencies(benches ${name})
  target_link_libraries(${name} PRIVATE qb_win_test_support psapi)
  target_link_options(${name} PRIVATE ${QB_STATIC_LINK})
  add_dependencies(${name} Quillobrante bare_window sample_tool)
endforeach()

# The program folder: the exe, data.dll and Data. The 32-bit build's is
# dist/, the folder a user copies to a stick; the 64-bit build (for
# machines whose Wine runs no 32-bit programs) keeps its own in the build.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QB_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
else()
  set(QB_DIST_DIR ${CMAKE_BINARY_DIR}/program)
endif()
add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QB_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QB_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Quillobrante> $<TARGET_FILE:data> ${QB_DIST_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${QB_ART_DIR}/Data ${QB_DIST_DIR}/Data
  DEPENDS Quillobrante data art
  COMMENT "Laying out the program folder in ${QB_DIST_DIR}")

# The release: one zip of the 32-bit program folder, to unpack onto a
# stick. Entries get one fixed time, so the same build gives the same bytes.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QB_RELEASE_ZIP ${CMAKE_SOURCE_DIR}/build/Quillobrante-${PROJECT_VERSION}.zip)
  add_custom_target(release ALL
    COMMAND ${CMAKE_COMMAND} -E rm -f ${QB_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${QB_RELEASE_ZIP} --format=zip "--mtime=2000-01-01 00:00:00"
            Quillobrante.exe data.dll Data
    WORKING_DIRECTORY ${QB_DIST_DIR}
    COMMENT "Packing ${QB_RELEASE_ZIP}")
  add_dependencies(release dist)
endif()

# A small program that the demo drive carries as a sample executable.
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/demo/sample_tool.rc
  PROPERTIES OBJECT_DEPENDS ${QB_ART_STAMP})
add_executable(sample_tool WIN32 ${CMAKE_SOURCE_DIR}/resources/demo/sample_tool.cpp
  ${CMAKE_SOURCE_DIR}/resources/demo/sample_tool.rc)
target_link_options(sample_tool PRIVATE ${QB_STATIC_LINK} -s)
