find_package(Qt6 REQUIRED COMPONENTS WebEngineWidgets)
qex_add_bench(browser_page LIBS qex_shell qex_listings qex_test_fixtures Qt6::WebEngineWidgets)
