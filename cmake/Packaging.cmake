# Packages of what `cmake --install` installs: on Linux a .deb
# (`cpack -G DEB`), on Windows an installer made by NSIS (`cpack -G NSIS`,
# scripts/build-windows). Both hold the window, tavrin-cli, the virtual host
# and the Access reader.
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR "Tavrin")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Firing shows: assign host names to cues and download shows to firing hosts")
set(CPACK_PACKAGE_CONTACT "Tavrin developers <tavrin@localhost>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavrin)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  include(cmake/WindowsDeployment.cmake)
  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_FILE_NAME Tavrin-${PROJECT_VERSION}-win64)
  # A 64-bit installer for 64-bit programs: it installs into the 64-bit
  # Program Files and writes the 64-bit registry (and runs under wine64).
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_PACKAGE_NAME Tavrin)
  set(CPACK_NSIS_DISPLAY_NAME Tavrin)
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\tavrin.exe)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icons/tavrin.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icons/tavrin.ico)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  set(CPACK_NSIS_MODIFY_PATH OFF)
  # The Start menu: the window, and the uninstaller CPack adds itself.
  set(CPACK_PACKAGE_EXECUTABLES tavrin Tavrin)
  # Show stores (.db, .mdb) open in Tavrin: the program is offered for both,
  # and becomes their program where none was chosen before. Uninstalling
  # takes back only what the installer wrote.
  set(progid Tavrin.ShowStore)
  set(open "\\\"$INSTDIR\\\\bin\\\\tavrin.exe\\\" \\\"%1\\\"")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
    WriteRegStr HKCR '${progid}' '' 'Tavrin show store'
    WriteRegStr HKCR '${progid}\\\\DefaultIcon' '' '$INSTDIR\\\\bin\\\\tavrin.exe,0'
    WriteRegStr HKCR '${progid}\\\\shell\\\\open\\\\command' '' '${open}'")
  # The window's geometry, which the program keeps (HKCU\Software\Tavrin),
  # goes with it.
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
    DeleteRegKey HKCR '${progid}'
    DeleteRegKey HKCU 'Software\\\\Tavrin'")
  foreach(extension .db .mdb)
    string(APPEND CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
    WriteRegStr HKCR '${extension}\\\\OpenWithProgids' '${progid}' ''
    ReadRegStr $0 HKCR '${extension}' ''
    StrCmp $0 '' 0 +2
      WriteRegStr HKCR '${extension}' '' '${progid}'")
    string(APPEND CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
    DeleteRegValue HKCR '${extension}\\\\OpenWithProgids' '${progid}'
    ReadRegStr $0 HKCR '${extension}' ''
    StrCmp $0 '${progid}' 0 +2
      DeleteRegValue HKCR '${extension}' ''")
  endforeach()
  # Explorer shows the new associations at once.
  set(notify "
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
  string(APPEND CPACK_NSIS_EXTRA_INSTALL_COMMANDS "${notify}")
  string(APPEND CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "${notify}")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  # The libraries' packages (Qt, SQLite, ...) as dpkg-shlibdeps finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
