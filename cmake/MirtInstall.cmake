# cmake --install: the program, its shared libraries, the plug-ins, the
# installation's files and the board-side programs, all in <prefix>/bin side
# by side as in the build tree (the program finds them in its own folder).
set(mirt_installed_targets
    mirt2 mirtplatform mirtboards rizo32 dovi32 kalvinfo mirtserialkernel ytn1 a_qjx tbcopt gnuopt)
get_target_property(mirt_ui_kind mirtplatform_ui TYPE)
if(mirt_ui_kind STREQUAL "SHARED_LIBRARY")
  list(APPEND mirt_installed_targets mirtplatform_ui)
endif()
install(TARGETS ${mirt_installed_targets} RUNTIME DESTINATION bin LIBRARY DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/install/ DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/drivers/boardfiles/ DESTINATION bin
        FILES_MATCHING PATTERN "*.EXE" PATTERN "*.LIB" PATTERN "vantor/*")
