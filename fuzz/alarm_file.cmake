qex_add_fuzzer(alarm_file LIBS qex_alarm_data)
