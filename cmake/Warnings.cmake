# Every target of ours builds with warnings as errors, whatever the compiler.
function(plannix_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_compile_features(${target} PUBLIC cxx_std_17)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
