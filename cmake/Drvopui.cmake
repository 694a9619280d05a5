# Build helpers: a static library per subsystem folder (sources found by glob, so that a new
# file needs no edit here), the shared library over all of them, and one target that tests,
# tools, benchmarks and fuzz targets link to reach the internals.

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

  # Everything is compiled with hidden visibility; only DRVOPUI_EXPORT names leave the library.
  add_library(Drvopui SHARED ${PROJECT_SOURCE_DIR}/cmake/libdrvopui.cpp)
  target_link_libraries(Drvopui PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${group}>" ZLIB::ZLIB
                        Threads::Threads ${CMAKE_DL_LIBS})
  target_link_options(Drvopui PRIVATE -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/libdrvopui.map)
  set_target_properties(Drvopui PROPERTIES LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/libdrvopui.map)
  if(NOT DRVOPUI_SANITIZE AND NOT DRVOPUI_FUZZ)
    target_link_options(Drvopui PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
