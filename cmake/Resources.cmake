# Resource scripts (.rc) compiled into standard .res files with windres (binutils-mingw-w64), the
# host's C preprocessor and our own platform headers. Each script becomes <binary dir>/<same
# relative path>.res; one target per call builds them all.
find_program(DRVOPUI_WINDRES NAMES x86_64-w64-mingw32-windres windres REQUIRED)
find_program(DRVOPUI_RC_CPP NAMES cpp REQUIRED)

function(drvopui_compile_resources target dir)
  file(GLOB_RECURSE scripts CONFIGURE_DEPENDS ${dir}/*.rc)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.rci ${dir}/*.bmp ${dir}/*.ico ${dir}/*.cur ${dir}/*.manifest
       ${PROJECT_SOURCE_DIR}/platform/include/*.h)
  set(outputs "")
  foreach(rc IN LISTS scripts)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${rc})
    string(REGEX REPLACE "\\.rc$" ".res" rel ${rel})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${rel})
    get_filename_component(rc_dir ${rc} DIRECTORY)
    get_filename_component(out_dir ${out} DIRECTORY)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${DRVOPUI_WINDRES} --preprocessor=${DRVOPUI_RC_CPP} --preprocessor-arg=-xc
              --preprocessor-arg=-DRC_INVOKED -I${PROJECT_SOURCE_DIR}/platform/include -I${rc_dir}
              --preprocessor-arg=-DDRVOPUI_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
              --preprocessor-arg=-DDRVOPUI_VERSION_MINOR=${PROJECT_VERSION_MINOR}
              --preprocessor-arg=-DDRVOPUI_VERSION_PATCH=${PROJECT_VERSION_PATCH}
              -O res -o ${out} ${rc}
      DEPENDS ${rc} ${headers}
      WORKING_DIRECTORY ${rc_dir}
      COMMENT "Compiling resource script ${rel}"
      VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
