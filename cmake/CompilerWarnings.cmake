# The warnings of every target of this project, errors when VYKPAV_WERROR is
# on.
function(vykpav_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(VYKPAV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# -Wconversion on top: implicit conversions that may change a value (with
# clang, those between signed and unsigned too). For the targets whose code
# takes it without casts that would hide a real narrowing; a target joins
# with one call.
function(vykpav_warn_conversions target)
  target_compile_options(${target} PRIVATE -Wconversion)
endfunction()
