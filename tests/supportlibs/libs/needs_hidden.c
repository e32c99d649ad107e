/* Needs the library "hidden", which the loader cannot find. */
int dynlib_test_hidden(void);

int dynlib_test_via_hidden(void) { return dynlib_test_hidden(); }
