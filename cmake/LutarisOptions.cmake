# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# One place that gives every target the same language level, warnings and sanitizer flags.
option(LUTARIS_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(LUTARIS_WARNINGS -Wall -Wextra -Wpedantic -Werror=switch -Werror=return-type
    -Wnon-virtual-dtor)
# clang (the fuzz build) has no -Wshadow=local; its plain -Wshadow is the nearest.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    list(APPEND LUTARIS_WARNINGS -Wshadow)
else()
    list(APPEND LUTARIS_WARNINGS -Wshadow=local)
endif()

if(LUTARIS_SANITIZE)
    set(LUTARIS_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    add_compile_options(${LUTARIS_SANITIZER_FLAGS})
    add_link_options(${LUTARIS_SANITIZER_FLAGS})
endif()

function(lutaris_target_options target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE ${LUTARIS_WARNINGS})
endfunction()
