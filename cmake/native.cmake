# The host tree: the portable core, its unit tests, benchmarks and fuzz targets.
set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(tolvane_core STATIC ${portable_sources})
target_include_directories(tolvane_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tolvane_core PUBLIC ${sanitizers} -g)
target_link_options(tolvane_core PUBLIC ${sanitizers})
tolvane_warnings(tolvane_core)

# Every source file includes only from the layers its folder may know, and
# every folder's resource identifiers keep to the folder's range.
add_test(NAME layers_include_only_what_they_may_know
         COMMAND ${PROJECT_SOURCE_DIR}/tools/check-layers ${PROJECT_SOURCE_DIR} ${tolvane_layer_table})
file(GLOB resource_headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/app/res/resource.h ${PROJECT_SOURCE_DIR}/*/*_resources.h)
add_test(NAME resource_identifiers_keep_to_their_folders_ranges
         COMMAND ${PROJECT_SOURCE_DIR}/tools/check-resource-ids ${PROJECT_SOURCE_DIR} ${resource_headers})

tolvane_add_googletest()
add_subdirectory(tests/unit)

# Benchmarks need Google Benchmark (libbenchmark-dev); fuzz targets need clang
# and are only built in a tree configured with it (make fuzz).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_subdirectory(bench)
endif()
add_subdirectory(fuzz)
