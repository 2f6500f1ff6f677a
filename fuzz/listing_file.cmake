qex_add_fuzzer(listing_file LIBS qex_listings)
