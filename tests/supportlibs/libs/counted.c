/* A library with exports that reports each load and unload to "counter".
   Written in C so that nothing in it (such as C++ unique symbols) keeps the
   loader from unloading it on dlclose. */
void dynlib_counter_record_load(void);
void dynlib_counter_record_unload(void);

/* GCC's constructor and destructor attributes: run on load and unload. */
__attribute__((constructor)) static void on_load(void) { dynlib_counter_record_load(); }
__attribute__((destructor)) static void on_unload(void) { dynlib_counter_record_unload(); }

int dynlib_test_add(int a, int b) { return a + b; }
const char* dynlib_test_greeting(void) { return "hello from counted"; }
