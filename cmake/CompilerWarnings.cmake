# Warnings for every target of this project, errors when VYKPAV_WERROR is on.
function(vykpav_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VYKPAV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
