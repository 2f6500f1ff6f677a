qex_add_fuzzer(icon_list LIBS qex_kit)
