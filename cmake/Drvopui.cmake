# Build helpers: a static library per subsystem folder (sources found by glob, so that a new
# file needs no edit here), the shared library over all of them, the platform layer as a shared
# object of its own, and one target that tests, benchmarks and fuzz targets link to reach the
# internals.

set(DRVOPUI_LIBRARIES "" CACHE INTERNAL "")

function(drvopui_library name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.c)
  if(NOT sources)
    return()
  endif()
  add_library(drv_${name} STATIC ${sources})
  target_include_directories(drv_${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform/include)
  # Subsystem libraries are not linked to one another: drv_internal and the shared library take
  # them all together (a rescanned group, a whole archive), and CMake refuses to see one archive
  # both inside such a group and as a plain transitive dependency.
  set(deps "")
  foreach(dep IN LISTS ARGN)
    if(NOT dep MATCHES "^drv_")
      list(APPEND deps ${dep})
    endif()
  endforeach()
  target_link_libraries(drv_${name} PUBLIC ${deps})
  if(name STREQUAL "platform")
    # The platform is the system the library runs on, shared by every module of a process as
    # the original's system libraries are: its names stay visible so that its shared object
    # exports them.
    set_target_properties(drv_platform PROPERTIES CXX_VISIBILITY_PRESET default C_VISIBILITY_PRESET default
                                                  VISIBILITY_INLINES_HIDDEN OFF)
  endif()
  set(DRVOPUI_LIBRARIES ${DRVOPUI_LIBRARIES} drv_${name} CACHE INTERNAL "")
endfunction()

function(drvopui_all_libraries)
  # drv_internal: every subsystem library, in one rescanned group so that calls between
  # subsystems resolve whatever their order.
  add_library(drv_internal INTERFACE)
  string(JOIN "," group ${DRVOPUI_LIBRARIES})
  target_link_libraries(drv_internal INTERFACE "$<LINK_GROUP:RESCAN,${group}>" ZLIB::ZLIB
                        Threads::Threads ${CMAKE_DL_LIBS})
  target_include_directories(drv_internal INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform/include)

  # libDrvopuiPlatform.so: the Win32 layer, one copy per process. The host program links it, as
  # a program links the system; libDrvopui.so links it too, so that the library and the
  # program that loads it share one registry, one drive root, one module table, one window
  # manager and one last error.
  add_library(DrvopuiPlatform SHARED ${PROJECT_SOURCE_DIR}/cmake/libdrvopui_platform.cpp)
  target_link_libraries(DrvopuiPlatform PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,drv_platform>")
  target_link_libraries(DrvopuiPlatform PUBLIC Threads::Threads Freetype::Freetype PNG::PNG OpenSSL::Crypto ${CMAKE_DL_LIBS})
  target_include_directories(DrvopuiPlatform INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform/include)

  # Everything else is compiled with hidden visibility; only DRVOPUI_EXPORT names leave the
  # library.
  set(own ${DRVOPUI_LIBRARIES})
  list(REMOVE_ITEM own drv_platform)
  string(JOIN "," own_group ${own})
  add_library(Drvopui SHARED ${PROJECT_SOURCE_DIR}/cmake/libdrvopui.cpp)
  target_link_libraries(Drvopui PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${own_group}>" DrvopuiPlatform ZLIB::ZLIB
                        Threads::Threads ${CMAKE_DL_LIBS})
  target_link_options(Drvopui PRIVATE -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/libdrvopui.map)
  # The soname carries the project's major version: libDrvopui.so.1.
  set_target_properties(Drvopui PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  set_target_properties(Drvopui PROPERTIES LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/libdrvopui.map)
  if(NOT DRVOPUI_SANITIZE AND NOT DRVOPUI_FUZZ)
    target_link_options(Drvopui PRIVATE -Wl,--no-undefined)
    target_link_options(DrvopuiPlatform PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
