qex_add_bench(search LIBS qex_listings qex_test_fixtures)
