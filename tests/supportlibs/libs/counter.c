/* Always loaded with the test program: counts how often the library
   "counted" was loaded and unloaded. */
static int loads;
static int unloads;

void dynlib_counter_record_load(void) { ++loads; }
void dynlib_counter_record_unload(void) { ++unloads; }
int dynlib_counter_loads(void) { return loads; }
int dynlib_counter_unloads(void) { return unloads; }
