# The ZIP for people: Plannix.dll, Sifter.dll, plannix-host.exe,
# plannix-export.exe, plannix-import.exe and a read-me in English and in
# Japanese. Built by `cmake --build <build> --target package`.
install(TARGETS Plannix Sifter plannix-host plannix-export plannix-import RUNTIME DESTINATION . LIBRARY DESTINATION .)

# The read-mes as Notepad opens them; the sources are UTF-8 with LF.
set(readme_folder ${CMAKE_BINARY_DIR}/package-text)
set(readme_english ${readme_folder}/README.txt)
set(readme_japanese ${readme_folder}/はじめにお読みください.txt)
add_custom_command(OUTPUT ${readme_english} ${readme_japanese}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${readme_folder}
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/host/README-package.txt -DOUT=${readme_english}
    -DENCODING=utf-8 -P ${PROJECT_SOURCE_DIR}/cmake/ReadMeText.cmake
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/host/README-package-ja.txt -DOUT=${readme_japanese}
    -DENCODING=cp932 -P ${PROJECT_SOURCE_DIR}/cmake/ReadMeText.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/host/README-package.txt ${PROJECT_SOURCE_DIR}/host/README-package-ja.txt
    ${PROJECT_SOURCE_DIR}/cmake/ReadMeText.cmake
  VERBATIM)
add_custom_target(package_readmes ALL DEPENDS ${readme_english} ${readme_japanese})
install(FILES ${readme_english} ${readme_japanese} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Plannix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
