add_fuzzer(fuzz_commands commands_fuzzer.cpp)
