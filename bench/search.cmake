qex_add_bench(search LIBS qex_app qex_test_fixtures Qt6::Widgets)
