// Includes a private header of the socket component, which its users never
// see, although this target links Tessera::socket.
#include "socket/WinsockShim.h"

int main() { return 0; }
