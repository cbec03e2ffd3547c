# What the Windows programs need beside them once installed: Qt's DLLs and
# the plugins the window loads (the windows platform and the Windows styles;
# Windows printing is inside Qt6PrintSupport), and the compiler's runtime
# DLLs when the programs do not carry it themselves. No developer tools.
if(TAVRIN_USE_QT)
  set(qt_modules Core Gui)
  if(TAVRIN_BUILD_GUI)
    list(APPEND qt_modules Widgets PrintSupport)
  endif()
  find_package(Qt6 REQUIRED COMPONENTS ${qt_modules})
  foreach(module ${qt_modules})
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
  # Qt looks for its plugins in folders beside the program.
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
  if(TAVRIN_BUILD_GUI)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
      DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
  endif()
endif()

# The compiler says where its runtime DLLs are.
set(runtime_dlls)
if(NOT TAVRIN_STATIC_RUNTIME)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime}" OR NOT EXISTS "${runtime}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not have ${dll}")
    endif()
    list(APPEND runtime_dlls ${runtime})
    install(FILES ${runtime} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
endif()

# Every program of the build finds its DLLs beside it, wherever the build
# puts it (bin/, and the folders some tests need of their own): the
# compiler's runtime, Qt's libraries and, in their folders, the platform
# plugins (windows, and offscreen for the tests) and the Windows styles are
# copied into each such folder, as they lie once installed.
# Appends to the list `out` the DLL of each Qt component named: its Release
# build's, else its only one.
function(tavrin_append_qt_dlls out)
  set(dlls ${${out}})
  foreach(component ${ARGN})
    get_target_property(dll Qt6::${component} IMPORTED_LOCATION_RELEASE)
    if(NOT dll)
      get_target_property(dll Qt6::${component} IMPORTED_LOCATION)
    endif()
    list(APPEND dlls ${dll})
  endforeach()
  set(${out} ${dlls} PARENT_SCOPE)
endfunction()

set(build_dlls ${runtime_dlls})
set(build_plugins)
if(TAVRIN_USE_QT)
  set(plugins QWindowsIntegrationPlugin QOffscreenIntegrationPlugin)
  if(TAVRIN_BUILD_GUI)
    list(APPEND plugins QWindowsVistaStylePlugin)
  endif()
  tavrin_append_qt_dlls(build_plugins ${plugins})
  set(build_modules ${qt_modules})
  if(TAVRIN_BUILD_GUI AND TAVRIN_BUILD_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    list(APPEND build_modules Test)
  endif()
  tavrin_append_qt_dlls(build_dlls ${build_modules})
endif()

function(tavrin_program_folders directory out)
  set(folders)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
    if(type STREQUAL EXECUTABLE AND folder)
      list(APPEND folders ${folder})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    tavrin_program_folders(${subdirectory} below)
    list(APPEND folders ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

if(build_dlls)
  tavrin_program_folders(${PROJECT_SOURCE_DIR} program_folders)
  foreach(folder ${program_folders})
    file(COPY ${build_dlls} DESTINATION ${folder})
    foreach(plugin ${build_plugins})
      get_filename_component(kind ${plugin} DIRECTORY)
      get_filename_component(kind ${kind} NAME)
      file(COPY ${plugin} DESTINATION ${folder}/${kind})
    endforeach()
  endforeach()
endif()
