# Floating point must be reproducible across targets: SSE2 arithmetic everywhere,
# no fused multiply-add contraction and never fast-math.
add_compile_options(-ffp-contract=off -fno-fast-math -Wall -Wextra)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(WIN32 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  # The 32-bit C runtime's malloc aligns to 8 bytes, yet GCC takes new to align to 16: objects
  # that hold SSE2 values (the engine's states) must come from the aligned new, or an aligned
  # load of them faults.
  add_compile_options(-faligned-new=8)
endif()

option(QX71_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QX71_TSAN "Build with ThreadSanitizer" OFF)
if(QX71_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QX71_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

if(WIN32)
  # Keep libgcc/libstdc++/winpthread out of the import table.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
