# Warnings for the project's own targets; third-party headers come in as SYSTEM includes.
function(lirava_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()
