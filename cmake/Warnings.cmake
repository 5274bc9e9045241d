# kinloom_warnings(target): the project's warning set; errors when KINLOOM_WERROR is on.
function(kinloom_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${KINLOOM_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wnon-virtual-dtor
      -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough
      $<$<BOOL:${KINLOOM_WERROR}>:-Werror>)
  endif()
endfunction()
