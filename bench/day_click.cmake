qex_add_bench(day_click LIBS qex_app qex_test_fixtures Qt6::Widgets)
