/* Built into a folder the loader does not search. */
int dynlib_test_hidden(void) { return 7; }
