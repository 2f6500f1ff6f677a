qex_add_fuzzer(form_stream LIBS qex_kit)
