qex_add_fuzzer(ini_file LIBS qex_platform_core)
