# The third-party code, found once for every folder. All of it is Debian's:
# on Linux its packages; in the Windows cross build SQLite built from Debian's
# source (scripts/windows-deps.sh), GoogleTest from /usr/src/googletest
# (tests/CMakeLists.txt) and the header-only CLI11 and nlohmann-json.
find_package(SQLite3 REQUIRED)
if(NOT WIN32)
  find_package(Iconv REQUIRED) # GBK text; Windows has code page 936
endif()

# A cross build must not see the build machine's own headers: CLI11 and
# nlohmann-json are copied, those two folders alone, into a folder of the
# build that is then the only one it looks in for them.
set(TAVRIN_HEADER_ONLY_ROOT /usr/include CACHE PATH
    "Where the cross build takes the CLI11 and nlohmann-json headers from")
if(CMAKE_CROSSCOMPILING)
  set(headers ${CMAKE_BINARY_DIR}/third-party/include)
  foreach(folder CLI nlohmann)
    if(NOT EXISTS ${TAVRIN_HEADER_ONLY_ROOT}/${folder})
      message(FATAL_ERROR "${TAVRIN_HEADER_ONLY_ROOT}/${folder} is missing "
                          "(apt-get install libcli11-dev nlohmann-json3-dev)")
    endif()
    file(COPY ${TAVRIN_HEADER_ONLY_ROOT}/${folder} DESTINATION ${headers})
  endforeach()
  add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
  target_include_directories(CLI11::CLI11 INTERFACE ${headers})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
  target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${headers})
else()
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json 3 REQUIRED)
endif()

# Qt: the window, and the PDF load sheets tavrin-cli writes with Qt Gui's
# painter. Without it tavrin-cli says that PDF load sheets are not part of
# the build.
if(TAVRIN_USE_QT)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui)
  if(TAVRIN_BUILD_GUI)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
  endif()
endif()
