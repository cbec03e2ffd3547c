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

# The compiler says where its runtime DLLs are; they go beside the build's
# programs too, so that its tests find them under wine.
if(NOT TAVRIN_STATIC_RUNTIME)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime}" OR NOT EXISTS "${runtime}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not have ${dll}")
    endif()
    file(COPY ${runtime} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    install(FILES ${runtime} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
endif()
