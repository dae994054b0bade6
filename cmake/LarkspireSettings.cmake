# SPDX-License-Identifier: MIT
# Build settings shared by every target, linked instead of repeated.
#
# larkspire_warnings: every warning worth having, and no fused multiply-add, since the five-star
# formula and the five-decimal rounding are bit-exact only when every product and sum is rounded
# on its own. Tests, benchmarks and fuzz targets link this.
# larkspire_settings: the same, plus no implicit conversions between text and bytes. Every
# product library and the program link this, privately, so that tests may relax the casts.

add_library(larkspire_warnings INTERFACE)
if(MSVC)
    target_compile_options(larkspire_warnings INTERFACE /W4 /utf-8 $<$<BOOL:${LARKSPIRE_WERROR}>:/WX>)
else()
    target_compile_options(larkspire_warnings INTERFACE -Wall -Wextra -Wpedantic -ffp-contract=off
                           $<$<BOOL:${LARKSPIRE_WERROR}>:-Werror>)
    # Qt Test's main macros leave a variadic macro argument empty, which Clang's pedantic mode flags.
    target_compile_options(larkspire_warnings INTERFACE $<$<CXX_COMPILER_ID:Clang>:-Wno-gnu-zero-variadic-macro-arguments>)
endif()

add_library(larkspire_settings INTERFACE)
target_link_libraries(larkspire_settings INTERFACE larkspire_warnings)
target_compile_definitions(larkspire_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

# A library whose headers are included as "<folder>/name.h" through a folder that holds that
# library alone: a rule of calc that includes "lookup/..." does not build.
function(larkspire_header_view target)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(view ${CMAKE_CURRENT_BINARY_DIR}/include)
    file(MAKE_DIRECTORY ${view})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${view}/${folder} RESULT linked SYMBOLIC)
    if(NOT linked EQUAL 0) # no symbolic links (Windows without developer mode): copy the headers
        file(GLOB headers RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
        foreach(header ${headers})
            configure_file(${header} ${view}/${folder}/${header} COPYONLY)
        endforeach()
    endif()
    target_include_directories(${target} PUBLIC ${view})
endfunction()
