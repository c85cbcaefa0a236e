# mirt_resources(<target> <script.rc> [INCLUDE dirs...]): compiles a
# resource script with the resource compiler into a .res image and embeds
# it in <target> (a program or shared library), which then finds its
# resources through FindResource and friends with its own module handle.
find_program(MIRT_WINDRES NAMES llvm-windres-14 llvm-windres x86_64-w64-mingw32-windres windres)

function(mirt_resources target rc)
  cmake_parse_arguments(A "" "" "INCLUDE" ${ARGN})
  if(NOT MIRT_WINDRES)
    message(FATAL_ERROR "no resource compiler (llvm-windres) found; run scripts/setup.sh")
  endif()
  get_filename_component(rc_abs ${rc} ABSOLUTE)
  get_filename_component(rc_dir ${rc_abs} DIRECTORY)
  get_filename_component(rc_name ${rc_abs} NAME_WE)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}.res)
  set(cpp ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}_res.cpp)
  set(incs -I ${rc_dir} -I ${PROJECT_SOURCE_DIR})
  foreach(d ${A_INCLUDE})
    list(APPEND incs -I ${d})
  endforeach()
  # Art files named in the script are dependencies too.
  file(GLOB art CONFIGURE_DEPENDS ${rc_dir}/*.bmp ${rc_dir}/*.ico ${rc_dir}/*.cur ${rc_dir}/res/*)
  add_custom_command(OUTPUT ${res}
    COMMAND ${MIRT_WINDRES} -c 1252 ${incs} -O res -i ${rc_abs} -o ${res}
    DEPENDS ${rc_abs} ${art}
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_name}.rc")
  add_custom_command(OUTPUT ${cpp}
    COMMAND ${CMAKE_COMMAND} -DIN=${res} -DOUT=${cpp} -P ${PROJECT_SOURCE_DIR}/cmake/res_to_cpp.cmake
    DEPENDS ${res} ${PROJECT_SOURCE_DIR}/cmake/res_to_cpp.cmake)
  target_sources(${target} PRIVATE ${cpp})
  target_link_libraries(${target} PRIVATE mirtplatform_ui)
endfunction()
