qex_add_bench(unpack LIBS qex_app qex_test_fixtures ZLIB::ZLIB)
target_sources(bench_unpack PRIVATE ${PROJECT_SOURCE_DIR}/tests/unpack/UnpackSupport.cpp)
