qex_add_bench(views LIBS qex_listings qex_test_fixtures)
