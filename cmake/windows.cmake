# The Windows program: Lupendo.exe, KvHk.dll and the files that lie beside them, laid out
# as a ready-to-copy program folder in the build tree.
set(LUPENDO_PROGRAM_DIR ${CMAKE_BINARY_DIR}/Lupendo)
file(MAKE_DIRECTORY ${LUPENDO_PROGRAM_DIR})

if(MINGW)
  # One self-contained file: the runtime libraries are linked in, only system DLLs remain.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Floating point in SSE registers: single-precision values are really single (the x87
  # unit would keep extra bits), and every SSE2 processor runs the program.
  add_compile_options(-msse2 -mfpmath=sse)
endif()
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)

# Codec libraries, cross-built by scripts/deps.sh. The image writer is their user.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(TIFF REQUIRED)
find_package(OpenJPEG REQUIRED CONFIG)
add_library(lupendo_codecs INTERFACE)
target_link_libraries(lupendo_codecs INTERFACE TIFF::TIFF PNG::PNG JPEG::JPEG openjp2 ZLIB::ZLIB)
target_compile_definitions(lupendo_codecs INTERFACE OPJ_STATIC)

# Pictures: text art turned into cursor and icon files by a small host tool.
set(RESGEN ${CMAKE_BINARY_DIR}/host/resgen)
if(NOT EXISTS ${RESGEN} OR ${CMAKE_SOURCE_DIR}/tools/resgen.cpp IS_NEWER_THAN ${RESGEN})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host)
  execute_process(COMMAND c++ -std=c++17 -O1 -o ${RESGEN} ${CMAKE_SOURCE_DIR}/tools/resgen.cpp
                  RESULT_VARIABLE resgen_result)
  if(NOT resgen_result EQUAL 0)
    message(FATAL_ERROR "building the host tool resgen failed")
  endif()
endif()
set(LUPENDO_GENERATED ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${LUPENDO_GENERATED})
set(LUPENDO_PICTURES)
foreach(art curframe.cur line.cur mainicon.ico)
  get_filename_component(stem ${art} NAME_WE)
  add_custom_command(OUTPUT ${LUPENDO_GENERATED}/${art}
    COMMAND ${RESGEN} ${CMAKE_SOURCE_DIR}/resources/art/${stem}.txt ${LUPENDO_GENERATED}/${art}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/${stem}.txt ${RESGEN})
  list(APPEND LUPENDO_PICTURES ${LUPENDO_GENERATED}/${art})
endforeach()
# Button pictures: 24-bit bitmaps whose key colour is their top-left pixel.
file(GLOB LUPENDO_BUTTON_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/buttons/*.txt)
foreach(art ${LUPENDO_BUTTON_ART})
  get_filename_component(stem ${art} NAME_WE)
  add_custom_command(OUTPUT ${LUPENDO_GENERATED}/${stem}.bmp
    COMMAND ${RESGEN} ${art} ${LUPENDO_GENERATED}/${stem}.bmp
    DEPENDS ${art} ${RESGEN})
  list(APPEND LUPENDO_PICTURES ${LUPENDO_GENERATED}/${stem}.bmp)
endforeach()
add_custom_target(lupendo_pictures DEPENDS ${LUPENDO_PICTURES})

add_library(lupendo_win STATIC
  src/app/globals.cpp
  src/app/program.cpp
  src/config/settings.cpp
  src/config/win_config_storage.cpp
  src/controls/kv_speed_button.cpp
  src/install/install_system.cpp
  src/install/uninstall.cpp
  src/magnifier/ddbitmap.cpp
  src/magnifier/kvzoom_commands.cpp
  src/magnifier/kvzoom_frame.cpp
  src/magnifier/kvzoom_hook.cpp
  src/magnifier/kvzoom_life.cpp
  src/magnifier/kvzoom_menus.cpp
  src/magnifier/kvzoom_pending.cpp
  src/magnifier/kvzoom_settings.cpp
  src/magnifier/kvzoom_zoom.cpp
  src/settings/colour_picker.cpp
  src/settings/options_form.cpp
  src/settings/slider_control.cpp
  src/ui/application.cpp
  src/ui/message_dialog.cpp
  src/ui/popup_menu.cpp
  src/ui/timer.cpp
  src/ui/window.cpp)
target_link_libraries(lupendo_win PUBLIC lupendo_core lupendo_codecs comctl32 shell32 ole32 oleaut32 uuid gdi32 user32
                      advapi32)
target_compile_options(lupendo_win PRIVATE ${LUPENDO_WARNINGS})

add_executable(Lupendo WIN32 src/app/main.cpp resources/lupendo.rc)
add_dependencies(Lupendo lupendo_pictures)
target_include_directories(Lupendo PRIVATE ${LUPENDO_GENERATED} ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(Lupendo PRIVATE lupendo_win)
target_compile_options(Lupendo PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${LUPENDO_WARNINGS}>)
set_target_properties(Lupendo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LUPENDO_PROGRAM_DIR})
set_source_files_properties(resources/lupendo.rc PROPERTIES OBJECT_DEPENDS
                            "${LUPENDO_PICTURES};${CMAKE_SOURCE_DIR}/resources/options.rc;${CMAKE_SOURCE_DIR}/resources/lupendo.manifest")

add_library(KvHk SHARED src/hook/kvhk.cpp)
set_target_properties(KvHk PROPERTIES PREFIX "" OUTPUT_NAME KvHk RUNTIME_OUTPUT_DIRECTORY ${LUPENDO_PROGRAM_DIR})
target_compile_options(KvHk PRIVATE ${LUPENDO_WARNINGS})
if(MINGW)
  # Export SHEntry without its stdcall decoration.
  target_link_options(KvHk PRIVATE -Wl,--kill-at)
else()
  target_sources(KvHk PRIVATE src/hook/kvhk.def)
endif()

foreach(doc helpz.htm help2z.htm Readme.txt)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${doc} ${LUPENDO_PROGRAM_DIR}/${doc} COPYONLY)
endforeach()

# Tests run the cross-built programs under Wine.
if(CMAKE_HOST_UNIX AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
endif()
