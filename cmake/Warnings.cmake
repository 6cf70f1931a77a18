option(PELMORA_WERROR "Treat compiler warnings as errors (the CI build does)" OFF)

function(pelmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
  if(PELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
