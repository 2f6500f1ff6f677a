qex_add_fuzzer(alarm_texts LIBS qex_alarm_data)
