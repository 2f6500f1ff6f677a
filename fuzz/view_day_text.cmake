qex_add_fuzzer(view_day_text LIBS qex_listings)
