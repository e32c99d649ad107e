#include <iostream>

#include "runtime/rtl.h"

int main() {
  std::cout << rtl::FormatGeneral(6) << '\n';
  return 0;
}
