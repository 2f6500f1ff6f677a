qex_add_fuzzer(browser_page LIBS qex_shell)
