# Project-wide build settings and small helpers.

if(TRALVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage instrumentation for everything the fuzz targets reach.
if(TRALVA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Strict warnings for the project's own targets only.
function(tralva_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

# The file formats promise results identical to the last bit: no contraction
# of a*b+c into fused operations, no reassociation.
function(tralva_strict_fp target)
  target_compile_options(${target} PRIVATE -ffp-contract=off -fno-fast-math)
endfunction()
