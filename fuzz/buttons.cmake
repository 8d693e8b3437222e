# The "Buttons" value of ACT!'s toolbars: parse and round-trip.
add_fuzzer(fuzz_buttons buttons_fuzzer.cpp)
