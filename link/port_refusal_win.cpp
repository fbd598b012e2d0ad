// Windows names no holder of a COM port to an ordinary program: the port is
// told by its name alone.
#include "link/port_names.h"
#include "link/port_refusal.h"

RefusedPort DescribeRefusedPort(int port, PortRefusal refusal) { return {port, refusal, WindowsDeviceName(port), {}}; }
