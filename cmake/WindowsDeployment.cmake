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

if(NOT TAVRIN_STATIC_RUNTIME)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    string(MAKE_C_IDENTIFIER ${dll} variable)
    find_file(TAVRIN_RUNTIME_${variable} ${dll} NO_CACHE NO_CMAKE_FIND_ROOT_PATH REQUIRED
      PATHS /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
    install(FILES ${TAVRIN_RUNTIME_${variable}} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
endif()
