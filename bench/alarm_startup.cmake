qex_add_bench(alarm_startup LIBS qex_app qex_test_fixtures Qt6::Widgets)
