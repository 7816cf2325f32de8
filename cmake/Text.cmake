# Sources are UTF-8; every narrow string literal of the program is cp932,
# the code page of everything the tool holds, stores and searches.
# data/Cp932Literals.h stops any build whose literals come out otherwise.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
                      $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP932>)
elseif(PLANNIX_FUZZ)
  # clang only knows UTF-8 literals; the fuzz build makes nothing but the
  # fuzz targets, to which the bytes of the Japanese texts do not matter.
  add_compile_definitions(PLANNIX_FUZZ_TARGETS_ONLY)
endif()
