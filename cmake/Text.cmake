# Sources are UTF-8; every narrow string literal of the program is cp932,
# the code page of everything the tool holds, stores and searches.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
                      $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP932>)
  set(PLANNIX_CP932_LITERALS ON)
else()
  # clang only knows UTF-8 literals: the fuzz build keeps Japanese texts in
  # UTF-8, which changes no buffer size the fuzzers exercise.
  set(PLANNIX_CP932_LITERALS OFF)
endif()
