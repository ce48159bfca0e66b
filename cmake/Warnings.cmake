# One warning set for everything we compile; generated moc files get it too.
set(VELMORA_WARNINGS
  -Wall -Wextra -Wpedantic
  -Wimplicit-fallthrough
  -Wnon-virtual-dtor
  -Wsuggest-override
  -Wcast-align
  -Wformat=2
  -Wmisleading-indentation
  -Wnull-dereference
  -Wdouble-promotion)

function(velmora_warnings target)
  target_compile_options(${target} PRIVATE ${VELMORA_WARNINGS})
  if(VELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
