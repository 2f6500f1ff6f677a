qex_add_bench(file_moves LIBS qex_unpack ZLIB::ZLIB)
target_sources(bench_file_moves PRIVATE ${PROJECT_SOURCE_DIR}/tests/unpack/UnpackSupport.cpp)
