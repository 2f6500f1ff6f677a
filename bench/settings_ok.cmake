qex_add_bench(settings_ok LIBS qex_dialogs qex_test_fixtures Qt6::Widgets)
