qex_add_fuzzer(tar_reader LIBS qex_unpack)
