qex_add_fuzzer(gunzip LIBS qex_unpack)
