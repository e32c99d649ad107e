/* A library that cannot be bound: dynlib_test_nowhere is defined nowhere. It
   links because the linker is told to ignore unresolved symbols. */
int dynlib_test_nowhere(void);

int dynlib_test_calls_nowhere(void) { return dynlib_test_nowhere(); }
