qex_add_fuzzer(version_file LIBS qex_listings)
